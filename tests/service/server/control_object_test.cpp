// The Service Object's link to its Control Object: lookup by name and the
// four event calls with the argument types the Control Object expects.
#include "service/server/dispatch_control_object.h"

#include <gtest/gtest.h>

#include "fake_control_object.h"

using server::CDispatchControlObject;

namespace {

class ControlObjectLink : public testing::Test {
 protected:
  void TearDown() override { fake_->Release(); }
  const EventCall& Last() { return fake_->Calls().back(); }
  int32_t Id(const char* name) {
    int32_t id = -1;
    EXPECT_TRUE(link_.LookUp(name, &id)) << name;
    return id;
  }

  CFakeControlObject* fake_ = new CFakeControlObject();
  CDispatchControlObject link_{fake_};
};

TEST_F(ControlObjectLink, LooksUpEventNames) {
  EXPECT_EQ(Id("SOStatusUpdate"), 103);
  EXPECT_EQ(Id("SODirectIO"), 100);
  int32_t id = 5;
  EXPECT_FALSE(link_.LookUp("SONothing", &id));
  EXPECT_EQ(id, 5);
  EXPECT_FALSE(link_.LookUp(nullptr, &id));
}

TEST_F(ControlObjectLink, TakesNoLastingReference) {
  EXPECT_EQ(fake_->RefCount(), 1u);
  link_.SOStatusUpdate(Id("SOStatusUpdate"), 11);
  EXPECT_EQ(fake_->RefCount(), 1u);
}

TEST_F(ControlObjectLink, StatusAndOutputCompletePassLongs) {
  link_.SOStatusUpdate(Id("SOStatusUpdate"), 1001);
  EXPECT_EQ(Last().name, L"SOStatusUpdate");
  EXPECT_EQ(Last().types, std::vector<VARTYPE>{VT_I4});
  EXPECT_EQ(Last().numbers, std::vector<long>{1001});
  link_.SOOutputComplete(Id("SOOutputComplete"), 17);
  EXPECT_EQ(Last().name, L"SOOutputComplete");
  EXPECT_EQ(Last().numbers, std::vector<long>{17});
}

TEST_F(ControlObjectLink, ErrorHandsTheApplicationsAnswerBack) {
  fake_->errorResponse = 12;
  int32_t response = 11;
  link_.SOError(Id("SOError"), 114, 203, 1, &response);
  EXPECT_EQ(Last().types, (std::vector<VARTYPE>{VT_I4, VT_I4, VT_I4, VT_BYREF | VT_I4}));
  EXPECT_EQ(Last().numbers, (std::vector<long>{114, 203, 1, 11}));
  EXPECT_EQ(response, 12);
}

TEST_F(ControlObjectLink, DirectIoPassesDataAndStringByReference) {
  fake_->directIoData = 5;
  fake_->directIoText = L"answer";
  int32_t data = 10;
  std::string text = "question";
  link_.SODirectIO(Id("SODirectIO"), 3, &data, &text);
  EXPECT_EQ(Last().types, (std::vector<VARTYPE>{VT_I4, VT_BYREF | VT_I4, VT_BYREF | VT_BSTR}));
  EXPECT_EQ(Last().numbers, (std::vector<long>{3, 10}));
  EXPECT_EQ(Last().text, L"question");
  EXPECT_EQ(data, 15);
  EXPECT_EQ(text, "answer");
}

TEST_F(ControlObjectLink, DirectIoKeepsLongStrings) {
  fake_->directIoText = std::wstring(100000, L'z');
  int32_t data = 0;
  std::string text(100000, 'a');
  link_.SODirectIO(Id("SODirectIO"), 1, &data, &text);
  EXPECT_EQ(Last().text.size(), 100000u);
  EXPECT_EQ(text, std::string(100000, 'z'));
}

TEST_F(ControlObjectLink, FailingCallsAreNotReported) {
  fake_->invokeResult = E_FAIL;
  int32_t response = 11;
  link_.SOError(Id("SOError"), 111, 0, 1, &response);
  link_.SOStatusUpdate(999, 1);  // an id the Control Object doesn't know
  EXPECT_EQ(fake_->Calls().size(), 1u);
}

TEST(ControlObjectLinkWithoutObject, DoesNothing) {
  CDispatchControlObject link(nullptr);
  int32_t id = 0;
  EXPECT_FALSE(link.LookUp("SOStatusUpdate", &id));
  int32_t response = 11;
  link.SOError(1, 111, 0, 1, &response);
  EXPECT_EQ(response, 11);
  std::string text = "kept";
  link.SODirectIO(1, 0, nullptr, &text);
  EXPECT_EQ(text, "kept");
}

}  // namespace
