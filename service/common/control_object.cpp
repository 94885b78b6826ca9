#include "service/common/control_object.h"

IControlObject* LinkEventMethods(IControlObject* controlObject, std::initializer_list<EventMethod> methods) {
  if (controlObject == nullptr) return nullptr;
  for (const EventMethod& method : methods)
    if (!controlObject->LookUp(method.name, method.dispid)) return nullptr;
  return controlObject;
}
