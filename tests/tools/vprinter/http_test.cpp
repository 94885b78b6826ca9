// The page's HTTP request parser and the receipt book behind it.
#include <gtest/gtest.h>

#include "tools/vprinter/web/http.h"
#include "tools/vprinter/web/receipt_book.h"

namespace vprinter::test {
namespace {

struct Parsed {
  HttpParse result;
  int status;
  HttpRequest req;
};

Parsed parse(const std::string& in, HttpLimits limits = {}) {
  Parsed p{HttpParse::Incomplete, 0, {}};
  p.result = parseRequest(in, limits, p.req, p.status);
  return p;
}

TEST(HttpParse, ReadsARequestOnlyOnceItIsWhole) {
  Parsed p = parse("GET /receipt-0001.png?x=1 HTTP/1.1\r\nHost: 127.0.0.1:80\r\nX-Vprinter:  1 \r\n\r\n");
  ASSERT_EQ(p.result, HttpParse::Done);
  EXPECT_EQ(p.req.method, "GET");
  EXPECT_EQ(p.req.path, "/receipt-0001.png");
  EXPECT_EQ(p.req.query, "x=1");
  EXPECT_EQ(p.req.header("host"), "127.0.0.1:80");
  EXPECT_EQ(p.req.header("x-vprinter"), "1");

  const std::string post = "POST /api/control HTTP/1.1\r\nContent-Length: 10\r\n\r\ncover open";
  for (std::size_t cut = 0; cut < post.size(); ++cut)
    ASSERT_EQ(parse(post.substr(0, cut)).result, HttpParse::Incomplete) << cut;
  p = parse(post);
  ASSERT_EQ(p.result, HttpParse::Done);
  EXPECT_EQ(p.req.body, "cover open");
}

TEST(HttpParse, RefusesWhatItDoesNotTake) {
  const struct {
    const char* in;
    int status;
  } kCases[] = {
      {"GET relative HTTP/1.1\r\n\r\n", 400},
      {"GET / HTTP/2\r\n\r\n", 400},
      {"GET /\x01 HTTP/1.1\r\n\r\n", 400},
      {"GET  / HTTP/1.1\r\n\r\n", 400},
      {"GET / HTTP/1.1\r\nno colon here\r\n\r\n", 400},
      {"GET / HTTP/1.1\r\n continued: x\r\n\r\n", 400},
      {"POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
      {"POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab", 400},
      {"POST / HTTP/1.1\r\nContent-Length: 99999999999\r\n\r\n", 400},
      {"POST / HTTP/1.1\r\nContent-Length: 5000\r\n\r\n", 413},
      {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", 501},
  };
  for (const auto& k : kCases) {
    Parsed p = parse(k.in);
    EXPECT_EQ(p.result, HttpParse::Bad) << k.in;
    EXPECT_EQ(p.status, k.status) << k.in;
  }
}

TEST(HttpParse, HeadTooLargeIsRefusedBeforeItEnds) {
  HttpLimits limits;
  limits.maxHead = 64;
  std::string head = "GET / HTTP/1.1\r\nX: " + std::string(100, 'a');
  Parsed p = parse(head, limits);  // no blank line yet: must not wait for more
  EXPECT_EQ(p.result, HttpParse::Bad);
  EXPECT_EQ(p.status, 431);
  EXPECT_EQ(parse(head + "\r\n\r\n", limits).status, 431);
}

TEST(ReceiptBook, GivesEachCutReceiptItsCommands) {
  ReceiptBook book;
  book.addLine("a");
  book.addLine("cut 1");
  EXPECT_EQ(book.sync(1, "t1"), 1);
  book.addLine("b");
  EXPECT_EQ(book.sync(1, "t1"), 0);  // nothing new cut
  ASSERT_NE(book.find(1), nullptr);
  EXPECT_EQ(book.find(1)->lines, (std::vector<std::string>{"a", "cut 1"}));
  EXPECT_EQ(book.find(1)->time, "t1");
  EXPECT_EQ(book.find(2), &book.current());
  EXPECT_EQ(book.current().lines, std::vector<std::string>{"b"});
  EXPECT_EQ(book.find(3), nullptr);

  // Several cuts at once (held data printed together): none is lost.
  EXPECT_EQ(book.sync(4, "t2"), 3);
  EXPECT_EQ(book.cutCount(), 4);
  EXPECT_EQ(book.find(2)->lines, std::vector<std::string>{"b"});
  EXPECT_TRUE(book.find(4)->lines.empty());
  EXPECT_EQ(entryJson(*book.find(4)),
            R"({"n":4,"name":"receipt-0004.png","jsonl":"receipt-0004.jsonl","time":"t2"})");
}

TEST(ReceiptBook, KeepsBoundedHistory) {
  ReceiptBook book;
  for (std::size_t i = 0; i < ReceiptBook::kMaxLines + 5; ++i) book.addLine("x");
  EXPECT_TRUE(book.current().truncated);
  EXPECT_EQ(book.current().lines.size(), ReceiptBook::kMaxLines);
  const int cut = int(ReceiptBook::kKeep) + 10;
  book.sync(cut, "t");
  EXPECT_EQ(book.entries().size(), ReceiptBook::kKeep);
  EXPECT_EQ(book.find(1), nullptr);
  EXPECT_EQ(book.entries().front().number, 11);
  // Only the newest keep their commands.
  const BookEntry* newest = book.find(cut);
  ASSERT_NE(newest, nullptr);
  EXPECT_FALSE(newest->dropped);
  EXPECT_FALSE(book.find(cut - int(ReceiptBook::kKeepLines) + 1)->dropped);
  EXPECT_TRUE(book.find(cut - int(ReceiptBook::kKeepLines))->dropped);
  EXPECT_TRUE(book.find(11)->dropped);
  EXPECT_TRUE(book.find(11)->lines.empty());
}

}  // namespace
}  // namespace vprinter::test
