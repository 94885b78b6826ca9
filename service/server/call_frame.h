// The arguments of one automation call after coercion, in declaration
// order, and its result. Dispatch-table thunks read and write it; the
// dispatch engine fills it from DISPPARAMS and writes by-reference
// arguments and the result back afterwards. Lives on the calling thread's
// stack for one call.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace server {

// Parameter kinds, one letter each in a member's signature string:
//   'l' long   's' string   'L' long by reference   'S' string by reference
//   'd' dispatch pointer   'p' print text (kept as UTF-16, see Wide)
enum class Returns : uint8_t { Nothing, Long, String };

class CallFrame {
 public:
  CallFrame() = default;
  ~CallFrame();
  CallFrame(const CallFrame&) = delete;
  CallFrame& operator=(const CallFrame&) = delete;

  int32_t& Long(size_t i) { return args_.at(i).number; }
  std::string& Text(size_t i) { return args_.at(i).text; }
  int32_t Long(size_t i) const { return args_.at(i).number; }
  const std::string& Text(size_t i) const { return args_.at(i).text; }
  // A 'p' argument as the caller gave it; the thunk picks its 8-bit form.
  const std::u16string& Wide(size_t i) const { return args_.at(i).wide; }
  std::u16string& Wide(size_t i) { return args_.at(i).wide; }
  // Borrowed: valid for the call; AddRef to keep it longer. May be null.
  IDispatch* Object(size_t i) const { return args_.at(i).object; }

  void ReturnLong(int32_t value) { resultNumber_ = value; }
  void ReturnText(std::string value) { resultText_ = std::move(value); }

  // Engine side.
  void Resize(size_t count) { args_.resize(count); }
  // Remembers a by-reference text as read, so an unchanged one is not
  // written back: the round trip through 8-bit text would lose characters.
  void KeepReadText(size_t i) { args_.at(i).readText = args_.at(i).text; }
  bool TextChanged(size_t i) const { return args_.at(i).text != args_.at(i).readText; }
  void SetObject(size_t i, IDispatch* object);  // takes the reference
  int32_t ResultLong() const { return resultNumber_; }
  const std::string& ResultText() const { return resultText_; }

 private:
  struct Arg {
    int32_t number = 0;
    std::string text;
    std::u16string wide;
    std::string readText;  // by-reference texts: the text as read
    IDispatch* object = nullptr;  // owned reference
  };
  std::vector<Arg> args_;
  int32_t resultNumber_ = 0;
  std::string resultText_;
};

}  // namespace server
