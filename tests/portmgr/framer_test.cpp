// Splitting of the printer's reply stream into status blocks and replies.
#include "portmgr/core/framer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fake_transport.h"

using portmgr::CStatusFramer;
using portmgr::FrameOutput;
using portmgr::StatusBlock;
using portmgr_test::Bytes;

namespace {

FrameOutput FeedAll(CStatusFramer& f, const std::string& s) {
  FrameOutput out;
  f.Feed(reinterpret_cast<const uint8_t*>(s.data()), s.size(), &out);
  return out;
}

FrameOutput FeedOnce(const std::string& s) {
  CStatusFramer f;
  return FeedAll(f, s);
}

std::string Replies(const FrameOutput& o) { return std::string(o.replies.begin(), o.replies.end()); }

const StatusBlock kCoverOpen = {0x30, 0x00, 0x00, 0x00};
const StatusBlock kPaperEnd = {0x10, 0x00, 0x0C, 0x00};
const StatusBlock kInk = {0x35, 0x02, 0x01, 0x00};

}  // namespace

TEST(StatusFramer, RecognisesBlockStartBytes) {
  // Status block: bit 4 set, bits 0, 1, 7 clear; every drawer/offline/cover/
  // feed combination starts one.
  for (int b : {0x10, 0x14, 0x18, 0x30, 0x50, 0x7C}) EXPECT_TRUE(CStatusFramer::StartsStatusBlock(uint8_t(b))) << b;
  // Real-time status replies (bits 1 and 4 set), bit 7 set, bit 4 clear.
  for (int b : {0x12, 0x16, 0x1E, 0x90, 0x00, 0x08, 0x11, 0x35}) {
    EXPECT_FALSE(CStatusFramer::StartsStatusBlock(uint8_t(b))) << b;
  }
  EXPECT_TRUE(CStatusFramer::StartsInkBlock(0x35));
}

TEST(StatusFramer, WholeBlocksAndReplies) {
  FrameOutput o = FeedOnce(Bytes({0x30, 0, 0, 0, 0x35, 0x02, 0x01, 0x00, 0x12, 0x10, 0x00, 0x0C, 0x00}));
  EXPECT_EQ(o.blocks, (std::vector<StatusBlock>{kCoverOpen, kInk, kPaperEnd}));
  EXPECT_EQ(Replies(o), Bytes({0x12}));
}

TEST(StatusFramer, BlockSplitAtEveryPointGivesTheSameResult) {
  const std::string stream = Bytes({0x12, 0x30, 0, 0, 0, 0x35, 0x02, 0x01, 0x00, 0x16});
  const FrameOutput whole = FeedOnce(stream);
  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    CStatusFramer f;
    FrameOutput o = FeedAll(f, stream.substr(0, cut));
    FrameOutput rest = FeedAll(f, stream.substr(cut));
    o.blocks.insert(o.blocks.end(), rest.blocks.begin(), rest.blocks.end());
    o.replies.insert(o.replies.end(), rest.replies.begin(), rest.replies.end());
    EXPECT_EQ(o.blocks, whole.blocks) << "cut " << cut;
    EXPECT_EQ(o.replies, whole.replies) << "cut " << cut;
  }
  CStatusFramer f;
  FrameOutput bytewise;
  for (char c : stream) {
    const uint8_t b = uint8_t(c);
    f.Feed(&b, 1, &bytewise);
  }
  EXPECT_EQ(bytewise.blocks, whole.blocks);
}

TEST(StatusFramer, GarbageBeforeAndBetweenBlocksBecomesReplies) {
  FrameOutput o = FeedOnce(Bytes({0x00, 0xFF, 0x41, 0x30, 0, 0, 0, 0x80, 0x10, 0x00, 0x0C, 0x00}));
  EXPECT_EQ(o.blocks, (std::vector<StatusBlock>{kCoverOpen, kPaperEnd}));
  EXPECT_EQ(Replies(o), Bytes({0x00, 0xFF, 0x41, 0x80}));
}

TEST(StatusFramer, BrokenBlockIsRescannedFromItsSecondByte) {
  // A start byte, then another start byte: the first was a reply.
  FrameOutput o = FeedOnce(Bytes({0x10, 0x30, 0, 0, 0}));
  EXPECT_EQ(o.blocks, std::vector<StatusBlock>{kCoverOpen});
  EXPECT_EQ(Replies(o), Bytes({0x10}));
  // A real-time reply landing inside a block breaks it.
  o = FeedOnce(Bytes({0x14, 0x00, 0x12, 0x00}));
  EXPECT_TRUE(o.blocks.empty());
  EXPECT_EQ(Replies(o), Bytes({0x14, 0x00, 0x12, 0x00}));
  // Ink block whose fourth byte is not 0: all four are replies.
  o = FeedOnce(Bytes({0x35, 0x01, 0x02, 0x03}));
  EXPECT_TRUE(o.blocks.empty());
  EXPECT_EQ(Replies(o), Bytes({0x35, 0x01, 0x02, 0x03}));
  // ... and a block may start inside the failed one.
  o = FeedOnce(Bytes({0x35, 0x30, 0x00, 0x05, 0x00}));
  EXPECT_EQ(o.blocks, (std::vector<StatusBlock>{{0x30, 0x00, 0x05, 0x00}}));
  EXPECT_EQ(Replies(o), Bytes({0x35}));
}

TEST(StatusFramer, ExpireHandsOverAPartialBlock) {
  CStatusFramer f;
  FrameOutput o = FeedAll(f, Bytes({0x14, 0x00}));
  EXPECT_TRUE(o.Empty());
  EXPECT_TRUE(f.HasPartial());
  f.Expire(&o);
  EXPECT_EQ(Replies(o), Bytes({0x14, 0x00}));
  EXPECT_FALSE(f.HasPartial());
  // What follows is judged afresh: two bytes cannot complete the old block.
  o = FeedAll(f, Bytes({0x00, 0x00}));
  EXPECT_TRUE(o.blocks.empty());
  EXPECT_EQ(Replies(o), Bytes({0x00, 0x00}));
}

TEST(StatusFramer, NullDataIsIgnored) {
  CStatusFramer f;
  FrameOutput o;
  f.Feed(nullptr, 10, &o);
  EXPECT_TRUE(o.Empty());
}

// Every byte comes out exactly once, in order, whatever the chunking.
TEST(StatusFramer, RandomStreamsKeepEveryByteWhateverTheChunks) {
  std::mt19937 rng(1234);
  const int alphabet[] = {0x00, 0x10, 0x12, 0x14, 0x30, 0x35, 0x0C, 0x03, 0x90, 0xFF, 0x20, 0x08};
  for (int round = 0; round < 200; ++round) {
    std::string stream;
    const size_t len = rng() % 64;
    for (size_t i = 0; i < len; ++i) stream.push_back(char(alphabet[rng() % 12]));
    CStatusFramer f;
    FrameOutput chunked;
    for (size_t at = 0; at < stream.size();) {
      const size_t n = 1 + rng() % 5;
      f.Feed(reinterpret_cast<const uint8_t*>(stream.data()) + at, std::min(n, stream.size() - at), &chunked);
      at += n;
    }
    f.Expire(&chunked);
    CStatusFramer g;
    FrameOutput expect = FeedAll(g, stream);
    g.Expire(&expect);
    EXPECT_EQ(chunked.blocks, expect.blocks);
    EXPECT_EQ(chunked.replies, expect.replies);
    EXPECT_EQ(chunked.blocks.size() * 4 + chunked.replies.size(), stream.size());
    for (const StatusBlock& b : chunked.blocks) {
      EXPECT_TRUE(CStatusFramer::StartsStatusBlock(b[0]) || (b[0] == 0x35 && b[3] == 0));
    }
  }
}

// Block data (the maintenance counters, the printer's identity) comes as
// 5F, data, 00: its digits are replies even where they look like the start
// of a status block ('0', '4', '8') or an ink block ('5' ... 00).
TEST(StatusFramer, BlockRepliesAreRepliesThroughTheirNul) {
  const std::string counter = std::string("_1523") + '\0';
  FrameOutput o = FeedOnce(counter);
  EXPECT_EQ(Replies(o), counter);
  EXPECT_TRUE(o.blocks.empty());
  o = FeedOnce(std::string("_40") + '\0' + std::string("\x30\x00\x00\x00", 4));
  EXPECT_EQ(Replies(o), std::string("_40") + '\0');
  ASSERT_EQ(o.blocks.size(), 1u);  // a status block after the NUL is one again
  EXPECT_EQ(o.blocks[0], kCoverOpen);
  // Split over feeds, and ended by a quiet line when the NUL never comes.
  CStatusFramer f;
  FeedAll(f, "_8");
  EXPECT_TRUE(f.HasPartial());
  FrameOutput rest = FeedAll(f, std::string("000", 3));
  EXPECT_EQ(Replies(rest), "000");
  f.Expire(&rest);
  EXPECT_FALSE(f.HasPartial());
  o = FeedAll(f, std::string("\x35\x02\x01\x00", 4));
  ASSERT_EQ(o.blocks.size(), 1u);
  EXPECT_EQ(o.blocks[0], kInk);
}
