// Where translated printer bytes go. The translator and the state prefix
// write through this interface; the output path collects into a string,
// tests capture and compare exact bytes. A sink is used by one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Append(const char* bytes, size_t count) = 0;

  void Put(std::string_view bytes) { Append(bytes.data(), bytes.size()); }
  void PutByte(uint8_t byte) {
    const char c = static_cast<char>(byte);
    Append(&c, 1);
  }
};

// Appends to a string it owns.
class StringSink : public ByteSink {
 public:
  void Append(const char* bytes, size_t count) override { bytes_.append(bytes, count); }
  const std::string& bytes() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

// Appends to a string the caller owns (which must outlive the sink).
class StringRefSink : public ByteSink {
 public:
  explicit StringRefSink(std::string* target) : target_(target) {}
  void Append(const char* bytes, size_t count) override { target_->append(bytes, count); }

 private:
  std::string* target_;
};
