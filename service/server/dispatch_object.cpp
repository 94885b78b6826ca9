#include "service/server/dispatch_object.h"

namespace server {

HRESULT LoadTypeInfo(REFGUID library, REFIID iid, LCID lcid, ITypeInfo** info) {
  ITypeLib* typeLib = nullptr;
  HRESULT hr = LoadRegTypeLib(library, 1, 0, lcid, &typeLib);
  if (FAILED(hr)) return hr;
  hr = typeLib->GetTypeInfoOfGuid(iid, info);
  typeLib->Release();
  return hr;
}

}  // namespace server
