// IOutputPort over a shared port object. The printer points it at the
// CPortManager of its port handle after AcquirePort and back to null at
// Close; a link without a manager writes and reads nothing.
#pragma once

#include <atomic>

#include "service/port/port_manager.h"
#include "service/printer/output_path.h"

class CPortManagerLink : public IOutputPort {
 public:
  void SetManager(CPortManager* manager) { manager_ = manager; }
  CPortManager* Manager() const { return manager_; }

  int32_t Write(const void* data, int32_t length) override;
  int32_t Read(void* buffer, int32_t length, int32_t waitMs) override;
  bool Lock(int32_t timeoutMs) override;
  void Unlock() override;
  void Clear() override;

 private:
  std::atomic<CPortManager*> manager_{nullptr};
};
