#include "service/server/call_frame.h"

namespace server {

CallFrame::~CallFrame() {
  for (Arg& arg : args_) {
    if (arg.object) arg.object->Release();
  }
}

void CallFrame::SetObject(size_t i, IDispatch* object) {
  Arg& arg = args_.at(i);
  if (arg.object) arg.object->Release();
  arg.object = object;
}

}  // namespace server
