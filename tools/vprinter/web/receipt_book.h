// What the page knows of the receipts: each cut receipt's number, the time
// it was seen cut, and its decoded commands (the command log's lines from
// the end of the one before up to its cut). Bounded: the newest kKeep
// receipts, the commands of the newest kKeepLines of them, kMaxLines
// lines each (commands.jsonl keeps them all). Event loop thread only.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace vprinter {

struct BookEntry {
  int number = 0;
  std::string time;  // UTC, ISO 8601
  std::vector<std::string> lines;
  bool truncated = false;  // more lines than kMaxLines
  bool dropped = false;    // lines let go to make room for newer receipts
};

class ReceiptBook {
 public:
  static constexpr std::size_t kKeep = 500;
  static constexpr std::size_t kKeepLines = 100;
  static constexpr std::size_t kMaxLines = 5000;

  // A command log line of the receipt in progress.
  void addLine(const std::string& line);
  // Closes the receipts cut since the last call (cut: receipts cut so far);
  // returns how many it closed. Lines so far go to the first of them.
  int sync(int cut, const std::string& time);

  const std::deque<BookEntry>& entries() const { return entries_; }  // oldest first
  const BookEntry* find(int number) const;
  const BookEntry& current() const { return current_; }  // number = the one in progress
  int cutCount() const { return current_.number - 1; }

 private:
  std::deque<BookEntry> entries_;
  BookEntry current_{1, "", {}, false, false};
};

// "receipt-0001.png" and the like.
std::string receiptName(int number, const char* extension);
// The entry as the page reads it: {"n","name","jsonl","time"}.
std::string entryJson(const BookEntry& e);
// Now, UTC, as 2026-01-31T12:00:00Z.
std::string utcNow();

}  // namespace vprinter
