// A fixture holding one object of a class the module serves per test,
// released to its last reference after it (the module may unload then),
// with calls by name and the checks every class's surface shares.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "server_dll.h"

class ServedObject : public testing::Test {
 protected:
  explicit ServedObject(REFCLSID clsid) : clsid_(clsid) {}
  void SetUp() override;
  void TearDown() override;

  // The method's VT_I4 result; -9999 for a result of another type.
  long Call(const wchar_t* name, std::vector<VARIANT> args);
  // The names have the ids 1, 2, ... in their order; the printer's
  // PrintNormal is not among the class's names.
  void ExpectIdsInOrder(const std::vector<const wchar_t*>& names);
  // A Control Object argument: the VARIANT holds a reference of its own.
  static VARIANT DispatchArg(IDispatch* co);

  IDispatch* object = nullptr;

 private:
  const CLSID clsid_;
};
