#include "tools/vprinter/web/receipt_book.h"

#include <cstdio>
#include <ctime>

#include "tools/vprinter/decode/json.h"

namespace vprinter {

void ReceiptBook::addLine(const std::string& line) {
  if (current_.lines.size() < kMaxLines) current_.lines.push_back(line);
  else current_.truncated = true;
}

int ReceiptBook::sync(int cut, const std::string& time) {
  int closed = 0;
  while (cutCount() < cut) {
    BookEntry next{current_.number + 1, "", {}, false, false};
    current_.time = time;
    entries_.push_back(std::move(current_));
    current_ = std::move(next);
    if (entries_.size() > kKeep) entries_.pop_front();
    if (entries_.size() > kKeepLines) {
      BookEntry& old = entries_[entries_.size() - kKeepLines - 1];
      std::vector<std::string>().swap(old.lines);
      old.dropped = true;
    }
    ++closed;
  }
  return closed;
}

const BookEntry* ReceiptBook::find(int number) const {
  if (number == current_.number) return &current_;
  for (const BookEntry& e : entries_)
    if (e.number == number) return &e;
  return nullptr;
}

std::string receiptName(int number, const char* extension) {
  char name[48];
  std::snprintf(name, sizeof name, "receipt-%04d.%s", number, extension);
  return name;
}

std::string entryJson(const BookEntry& e) {
  return "{\"n\":" + std::to_string(e.number) + ",\"name\":" + jsonQuote(receiptName(e.number, "png")) +
         ",\"jsonl\":" + jsonQuote(receiptName(e.number, "jsonl")) + ",\"time\":" + jsonQuote(e.time) + "}";
}

std::string utcNow() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return buf;
}

}  // namespace vprinter
