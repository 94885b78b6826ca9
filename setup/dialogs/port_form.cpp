#include "setup/dialogs/port_form.h"

namespace devsetup {

void ChoiceList::Add(const std::string& text, const std::string& value) {
  texts.push_back(text);
  values.push_back(value);
}

void ChoiceList::Clear() {
  texts.clear();
  values.clear();
  selected = -1;
}

bool ChoiceList::SelectText(const std::string& text) {
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] == text) {
      selected = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

int ChoiceList::FindValue(const std::string& value) const {
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] == value) return static_cast<int>(i);
  }
  return -1;
}

std::string ChoiceList::SelectedText() const {
  return selected >= 0 && selected < static_cast<int>(texts.size()) ? texts[selected] : std::string();
}

std::string ChoiceList::SelectedValue() const {
  return selected >= 0 && selected < static_cast<int>(values.size()) ? values[selected] : std::string();
}

}  // namespace devsetup
