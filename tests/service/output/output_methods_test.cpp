// The print methods' entry rules, transactions, page mode, ClearOutput and
// the idle report.
#include <gtest/gtest.h>

#include "output_fakes.h"

using namespace opos;

TEST(OutputMethods, PrintNormalChecksClaimEnableBusyAndStation) {
  OutputRig rig;
  rig.host.claimed = false;
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "a"), OPOS_E_NOTCLAIMED);
  rig.host.claimed = true;
  rig.host.enabled = false;
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "a"), OPOS_E_DISABLED);
  rig.host.enabled = true;
  rig.host.state = OPOS_S_BUSY;
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "a"), OPOS_E_BUSY);
  rig.host.state = OPOS_S_IDLE;
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_JOURNAL, "a"), OPOS_E_ILLEGAL);
  EXPECT_EQ(rig.host.resultCode, OPOS_E_ILLEGAL);
  EXPECT_TRUE(rig.port.Writes().empty());
}

TEST(OutputMethods, PrintNormalReportsOutputNotTranslationCodes) {
  OutputRig rig;
  rig.host.translateResult = OPOS_E_FAILURE;
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "abc"), OPOS_SUCCESS);
  EXPECT_EQ(rig.port.All(), "<P>abc");
}

TEST(OutputMethods, PrintImmediateIgnoresBusyAndNeverQueues) {
  OutputRig rig;
  rig.host.async = true;
  rig.host.state = OPOS_S_BUSY;
  EXPECT_EQ(rig.output.PrintImmediate(PTR_S_RECEIPT, "now"), OPOS_SUCCESS);
  EXPECT_EQ(rig.port.All(), "<P>now");
  EXPECT_EQ(rig.output.OutputID(), 0);
}

TEST(OutputMethods, PrintTwoNormalIsAlwaysIllegal) {
  OutputRig rig;
  rig.host.claimed = false;
  EXPECT_EQ(rig.output.PrintTwoNormal(PTR_S_RECEIPT, "a", "b"), OPOS_E_ILLEGAL);
  EXPECT_EQ(rig.host.resultCode, OPOS_E_ILLEGAL);
}

TEST(OutputMethods, ValidateDataReturnsTheTranslationCodeAndWritesNothing) {
  OutputRig rig;
  rig.host.translateResult = OPOS_E_FAILURE;
  EXPECT_EQ(rig.output.ValidateData(PTR_S_JOURNAL, "\x1b|101P"), OPOS_E_FAILURE);
  EXPECT_EQ(rig.host.resultCode, OPOS_E_FAILURE);
  EXPECT_TRUE(rig.port.Writes().empty());
  rig.host.enabled = false;
  EXPECT_EQ(rig.output.ValidateData(PTR_S_RECEIPT, "x"), OPOS_E_DISABLED);
}

TEST(OutputMethods, SubmissionResetsTheResultCodes) {
  OutputRig rig;
  rig.host.resultCode = 999;
  rig.host.resultCodeExtended = 888;
  rig.output.SubmitOutput(false, {"x"});
  EXPECT_EQ(rig.host.resultCode, 0);
  EXPECT_EQ(rig.host.resultCodeExtended, 0);
}

TEST(OutputMethods, PageModeTakesTheStrings) {
  OutputRig rig;
  rig.host.pageMode = true;
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "p1"), OPOS_SUCCESS);
  EXPECT_EQ(rig.host.page, std::vector<std::string>{"p1"});
  EXPECT_TRUE(rig.port.Writes().empty());
}

// ---- transactions -----------------------------------------------------------

TEST(OutputTransaction, BufferedStringsGoOutAsOneJobAtTheEnd) {
  OutputRig rig;
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION), OPOS_SUCCESS);
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "first"), OPOS_SUCCESS);
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "second"), OPOS_SUCCESS);
  EXPECT_TRUE(rig.port.Writes().empty());
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_NORMAL), OPOS_SUCCESS);
  EXPECT_EQ(rig.port.Writes(), (std::vector<std::string>{"<P>", "first", "second"}));
  EXPECT_FALSE(rig.output.InTransaction());
}

TEST(OutputTransaction, AsynchronousTransactionIsOneOutputRequest) {
  OutputRig rig;
  rig.host.async = true;
  rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION);
  rig.output.PrintNormal(PTR_S_RECEIPT, "a");
  rig.output.PrintNormal(PTR_S_RECEIPT, "b");
  EXPECT_EQ(rig.output.OutputID(), 0);
  rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_NORMAL);
  EXPECT_EQ(rig.output.OutputID(), 1);
  rig.output.Start();
  ASSERT_TRUE(rig.host.WaitEvents(1));
  EXPECT_EQ(rig.host.Events()[0], DoneEv(1));
  rig.output.Stop();
}

TEST(OutputTransaction, SecondBeginKeepsTheBufferAndEmptyEndWritesNothing) {
  OutputRig rig;
  rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION);
  rig.output.PrintNormal(PTR_S_RECEIPT, "kept");
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION), OPOS_SUCCESS);
  rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_NORMAL);
  EXPECT_EQ(rig.port.All(), "<P>kept");

  OutputRig empty;
  empty.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION);
  EXPECT_EQ(empty.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_NORMAL), OPOS_SUCCESS);
  EXPECT_TRUE(empty.port.Writes().empty());
}

TEST(OutputTransaction, RefusalsAreIllegal) {
  OutputRig rig;
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_NORMAL), OPOS_E_ILLEGAL);  // none begun
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_JOURNAL, PTR_TP_TRANSACTION), OPOS_E_ILLEGAL);
  OutputConfig config;
  config.capTransaction = 0;
  rig.output.Configure(config, &rig.port);
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION), OPOS_E_ILLEGAL);
  rig.host.claimed = false;
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION), OPOS_E_NOTCLAIMED);
}

// ---- ClearOutput and idle ---------------------------------------------------

TEST(OutputClear, ClearOutputEndsTheTransactionAndResetsRotation) {
  OutputRig rig;
  rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_TRANSACTION);
  rig.output.PrintNormal(PTR_S_RECEIPT, "lost");
  EXPECT_EQ(rig.output.ClearOutput(), OPOS_SUCCESS);
  EXPECT_FALSE(rig.output.InTransaction());
  EXPECT_EQ(rig.host.rotationResets, 1);
  EXPECT_EQ(rig.output.TransactionPrint(PTR_S_RECEIPT, PTR_TP_NORMAL), OPOS_E_ILLEGAL);
  EXPECT_TRUE(rig.port.Writes().empty());
}

TEST(OutputClear, ClearOutputNeedsAClaimedEnabledDevice) {
  OutputRig rig;
  rig.host.async = true;
  rig.output.PrintNormal(PTR_S_RECEIPT, "queued");
  rig.host.enabled = false;
  EXPECT_EQ(rig.output.ClearOutput(), OPOS_E_DISABLED);
  EXPECT_EQ(rig.host.state.load(), OPOS_S_BUSY);
  rig.host.enabled = true;
  EXPECT_EQ(rig.output.ClearOutput(), OPOS_SUCCESS);
  EXPECT_EQ(rig.host.state.load(), OPOS_S_IDLE);
}

TEST(OutputClear, FlagWhenIdleWhileIdleReportsOnceAtOnce) {
  OutputRig rig;
  rig.output.SetFlagWhenIdle(1);
  EXPECT_EQ(rig.host.Events(), std::vector<PostedEvent>{StatusEv(PTR_SUE_IDLE)});
  EXPECT_EQ(rig.output.FlagWhenIdle(), 1);
  rig.output.ClearOutput();  // idle again: already reported
  rig.output.SetFlagWhenIdle(0);
  EXPECT_EQ(rig.host.Events().size(), 1u);
}

TEST(OutputClear, FlagWhenIdleReportsWhenTheQueueDrains) {
  OutputRig rig;
  rig.host.async = true;
  rig.output.PrintNormal(PTR_S_RECEIPT, "a");
  rig.output.SetFlagWhenIdle(1);
  EXPECT_TRUE(rig.host.Events().empty());
  rig.output.Start();
  ASSERT_TRUE(rig.host.WaitEvents(2));
  EXPECT_EQ(rig.host.Events(), (std::vector<PostedEvent>{DoneEv(1), StatusEv(PTR_SUE_IDLE)}));
  rig.output.Stop();
}
