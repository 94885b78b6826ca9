// Self-registration: the keys DllRegisterServer writes, creation by ProgID
// through COM, removal by DllUnregisterServer, and the version block that
// marks the module as self-registering.
#include <gtest/gtest.h>
#include <olectl.h>

#include <iterator>

#include "server_dll.h"
#include "service/server/class_table.h"
#include "service/server/registration.h"

namespace {

// The default (or named) string value of HKCR\<path>; "<none>" when absent.
std::wstring ReadValue(const std::wstring& path, const wchar_t* name = nullptr) {
  wchar_t buffer[2048] = {};
  DWORD bytes = sizeof buffer - sizeof(wchar_t);
  LONG rc = RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes);
  return rc == ERROR_SUCCESS ? std::wstring(buffer) : L"<none>";
}

std::vector<server::ServerClass> ServedClasses() {
  size_t count = 0;
  const server::ServerClass* rows = server::ServerClasses(&count);
  std::vector<server::ServerClass> served;
  for (size_t i = 0; i < count; ++i) {
    if (rows[i].factory) served.push_back(rows[i]);
  }
  return served;
}

class Registration : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Server().module, nullptr); }
  void TearDown() override { Server().unregisterServer(); }
};

TEST_F(Registration, WritesProgIdAndClsidKeys) {
  ASSERT_EQ(Server().registerServer(), S_OK);
  ASSERT_FALSE(ServedClasses().empty());
  for (const server::ServerClass& row : ServedClasses()) {
    const std::wstring clsid = server::GuidString(*row.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    EXPECT_EQ(ReadValue(row.progId), row.progId);
    EXPECT_EQ(ReadValue(std::wstring(row.progId) + L"\\CLSID"), clsid);
    EXPECT_EQ(ReadValue(key), row.progId);
    EXPECT_EQ(ReadValue(key + L"\\ProgID"), row.progId);
    EXPECT_EQ(lstrcmpiW(ReadValue(key + L"\\InprocServer32").c_str(), Server().path.c_str()), 0)
        << ReadValue(key + L"\\InprocServer32");
    EXPECT_EQ(ReadValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  }
}

TEST_F(Registration, PrinterProgIdIsExact) {
  ASSERT_EQ(Server().registerServer(), S_OK);
  CLSID clsid;
  ASSERT_EQ(CLSIDFromProgID(L"Tavo.POSPrinter.ServiceObject.1.9", &clsid), S_OK);
  EXPECT_NE(CLSIDFromProgID(L"Tavo.POSPrinter.ServiceObject1.9", &clsid), S_OK);
}

TEST_F(Registration, CreatesThePrinterByProgIdThroughCom) {
  ASSERT_EQ(Server().registerServer(), S_OK);
  CLSID clsid;
  ASSERT_EQ(CLSIDFromProgID(L"Tavo.POSPrinter.ServiceObject.1.9", &clsid), S_OK);
  IDispatch* printer = nullptr;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&printer)),
            S_OK);
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(CallByName(printer, L"GetPropertyNumber", {LongArg(6)}, &result), S_OK);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
  printer->Release();
  EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(Registration, UnregisterRemovesEveryKeyAndToleratesRepeats) {
  ASSERT_EQ(Server().registerServer(), S_OK);
  ASSERT_EQ(Server().unregisterServer(), S_OK);
  size_t count = 0;
  const server::ServerClass* rows = server::ServerClasses(&count);
  for (size_t i = 0; i < count; ++i) {
    CLSID clsid;
    EXPECT_NE(CLSIDFromProgID(rows[i].progId, &clsid), S_OK) << rows[i].progId;
    EXPECT_EQ(ReadValue(rows[i].progId), L"<none>");
    EXPECT_EQ(ReadValue(L"CLSID\\" + server::GuidString(*rows[i].clsid)), L"<none>");
  }
  EXPECT_EQ(Server().unregisterServer(), S_OK);
}

TEST_F(Registration, RegisteringAgainOverwrites) {
  ASSERT_EQ(Server().registerServer(), S_OK);
  ASSERT_EQ(Server().registerServer(), S_OK);
  EXPECT_EQ(ReadValue(L"Tavo.POSPrinter.ServiceObject.1.9"), L"Tavo.POSPrinter.ServiceObject.1.9");
}

TEST_F(Registration, WithoutAModulePathNothingIsWritten) {
  EXPECT_EQ(server::RegisterServerClasses(L""), SELFREG_E_CLASS);
  EXPECT_EQ(ReadValue(L"Tavo.POSPrinter.ServiceObject.1.9"), L"<none>");
}

TEST(VersionResource, MarksTheModuleSelfRegistering) {
  const std::wstring& path = Server().path;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
  void* value = nullptr;
  UINT length = 0;
  EXPECT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\OLESelfRegister", &value, &length));
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010009u);
}

}  // namespace
