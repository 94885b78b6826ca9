// Test access to bin/ptrservice.dll: loaded by path beside the test
// program (no registration needed) and its four exports. COM is
// initialised for the test thread (apartment) by a global environment.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

struct ServerDll {
  HMODULE module = nullptr;
  std::wstring path;
  HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
  HRESULT(STDAPICALLTYPE* registerServer)() = nullptr;
  HRESULT(STDAPICALLTYPE* unregisterServer)() = nullptr;
};

// Loaded once per process; module is null when the file is missing.
const ServerDll& Server();

// A new printer Service Object from the module's factory (nullptr on failure).
IDispatch* CreatePrinter();
// A new object of any class the module serves.
IDispatch* CreateObject(REFCLSID clsid);

// Calls a method by name with arguments in declaration order.
HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args, VARIANT* result,
                   UINT* argErr = nullptr);

VARIANT LongArg(long value);
// A by-reference argument to *p of the type; the caller owns *p.
VARIANT RefArg(VARTYPE type, void* p);
VARIANT TextArg(const std::wstring& value);  // the caller's VARIANT owns the BSTR
