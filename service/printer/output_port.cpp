#include "service/printer/output_port.h"

int32_t CPortManagerLink::Write(const void* data, int32_t length) {
  CPortManager* m = manager_;
  return m != nullptr ? m->Write(data, length) : 0;
}

int32_t CPortManagerLink::Read(void* buffer, int32_t length, int32_t waitMs) {
  CPortManager* m = manager_;
  return m != nullptr ? m->Read(buffer, length, waitMs) : 0;
}

bool CPortManagerLink::Lock(int32_t timeoutMs) {
  CPortManager* m = manager_;
  return m != nullptr && m->Lock(timeoutMs);
}

void CPortManagerLink::Unlock() {
  CPortManager* m = manager_;
  if (m != nullptr) m->Unlock();
}

void CPortManagerLink::Clear() {
  CPortManager* m = manager_;
  if (m != nullptr) m->Clear();
}
