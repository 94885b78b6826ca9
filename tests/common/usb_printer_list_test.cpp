// The USB printer list over injected attached printers: numbering, the
// resolving rule, the setup program's look-ups and the 95-family ids.
#include "common/usb_printer_list.h"

#include <gtest/gtest.h>

#include "platform/registry_test_support.h"

namespace {

using Interfaces = std::vector<platform::UsbPrinterInterface>;

const char kFirst[] = "\\\\?\\usb#vid_1234&pid_0202#A1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const char kSecond[] = "\\\\?\\usb#vid_1234&pid_0202#B2#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const char kOther[] = "\\\\?\\usb#vid_0abc&pid_0e15#C3#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

CUsbPrinterList ListOf(Interfaces attached, bool win95 = false) {
  return CUsbPrinterList([attached] { return attached; }, win95);
}

TEST(UsbPrinterList, NumbersRecordsAndCountsPerProduct) {
  CUsbPrinterList list = ListOf({{kFirst, "", ""}, {kOther, "", ""}, {kSecond, "", ""}});
  ASSERT_EQ(list.Refresh(), 3);
  const UsbPrinterRecord* a = list.ItemAt(0);
  const UsbPrinterRecord* c = list.ItemAt(2);
  ASSERT_TRUE(a && c);
  EXPECT_EQ(a->devicePath, "\\\\?\\USB#VID_1234&PID_0202#A1#{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}");
  EXPECT_EQ(a->vendorId, "1234");
  EXPECT_EQ(a->productId, "0202");
  EXPECT_EQ(a->ordinal, 1);
  EXPECT_EQ(a->displayName, "USB001:");
  EXPECT_EQ(list.ItemAt(1)->productId, "0E15");
  EXPECT_EQ(list.ItemAt(1)->ordinal, 1);
  EXPECT_EQ(c->ordinal, 2);
  EXPECT_EQ(c->displayName, "USB003:");
  EXPECT_EQ(list.ItemAt(3), nullptr);
  EXPECT_EQ(list.ItemAt(-1), nullptr);

  EXPECT_EQ(list.FindByDisplayName("USB002:"), list.ItemAt(1));
  EXPECT_EQ(list.FindByDisplayName("usb002:"), list.ItemAt(2));  // no match: the last one
  list.ClearList();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FindByDisplayName("USB001:"), nullptr);
}

TEST(UsbPrinterList, ResolvesByExactPathThenByProductId) {
  CUsbPrinterList list = ListOf({{kFirst, "", ""}, {kSecond, "", ""}, {kOther, "", ""}});
  const int32_t count = list.Refresh();
  const std::string first = list.ItemAt(0)->devicePath;
  const std::string second = list.ItemAt(1)->devicePath;
  EXPECT_EQ(list.ResolveUsbPort(first, count, "0202"), first);
  // Exact comparison: a lower-case stored path is no match, so the
  // product id decides (the last printer with it).
  EXPECT_EQ(list.ResolveUsbPort(kFirst, count, "0202"), second);
  EXPECT_EQ(list.ResolveUsbPort("\\\\?\\USB#GONE", count, "0202"), second);
  EXPECT_EQ(list.ResolveUsbPort("\\\\?\\USB#GONE", 1, "0202"), first);
  EXPECT_EQ(list.ResolveUsbPort("\\\\?\\USB#GONE", count, "9999"), "");
  EXPECT_EQ(list.ResolveUsbPort("\\\\?\\USB#GONE", 0, "0202"), "");

  CUsbPrinterList none = ListOf({});
  EXPECT_EQ(none.Refresh(), 0);
  EXPECT_EQ(none.ResolveUsbPort(kFirst, 0, "0202"), "");
}

TEST(UsbPrinterList, IdsFromTheSystemOrTheRegistry) {
  // POSIX device files keep their names; the ids come with them.
  CUsbPrinterList posix = ListOf({{"/dev/usb/lp0", "04B8", "0202"}});
  ASSERT_EQ(posix.Refresh(), 1);
  EXPECT_EQ(posix.ItemAt(0)->devicePath, "/dev/usb/lp0");
  EXPECT_EQ(posix.ItemAt(0)->productId, "0202");

  // The 95 family reads the device instance of the interface; without one
  // the printer is not listed.
  platform::test_support::ResetRegistry();
  const std::string path = "\\\\.\\USB#VID_1234&PID_0202#A1";
  platform::test_support::SeedString(
      "System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\##.#"
      "USB#VID_1234&PID_0202#A1",
      "DeviceInstance", "usb\\vid_4321&pid_0303\\5&1");
  CUsbPrinterList win95 = ListOf({{path, "", ""}, {"\\\\.\\USB#UNKNOWN", "", ""}}, true);
  ASSERT_EQ(win95.Refresh(), 1);
  EXPECT_EQ(win95.ItemAt(0)->vendorId, "4321");
  EXPECT_EQ(win95.ItemAt(0)->productId, "0303");
}

}  // namespace
