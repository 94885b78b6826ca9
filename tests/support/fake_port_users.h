// Port users that record what a port's monitor thread reports to them.
// Thread-safe: the monitor thread writes, the test thread reads.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "service/port/port_users.h"

class FakePrinterUser : public IPrinterPortUser {
 public:
  using Status = std::array<uint8_t, 4>;
  explicit FakePrinterUser(int32_t type = 1) : type_(type) {}

  void OnPrinterStatus(const uint8_t status[4]) override { Add(&printer_, status); }
  void OnCartridgeStatus(const uint8_t status[4]) override { Add(&cartridge_, status); }
  void OnPowerState(int32_t state) override {
    std::lock_guard<std::mutex> lock(mutex_);
    power_.push_back(state);
  }
  int32_t PrinterType() const override { return type_; }

  std::vector<Status> PrinterStatuses() const { return Copy(printer_); }
  std::vector<Status> CartridgeStatuses() const { return Copy(cartridge_); }
  std::vector<int32_t> PowerStates() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return power_;
  }

 private:
  void Add(std::vector<Status>* list, const uint8_t status[4]) {
    std::lock_guard<std::mutex> lock(mutex_);
    list->push_back({status[0], status[1], status[2], status[3]});
  }
  std::vector<Status> Copy(const std::vector<Status>& list) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return list;
  }

  const int32_t type_;
  mutable std::mutex mutex_;
  std::vector<Status> printer_, cartridge_;
  std::vector<int32_t> power_;
};

class FakeDrawerUser : public IDrawerPortUser {
 public:
  void OnDrawerStatus(int32_t status) override {
    std::lock_guard<std::mutex> lock(mutex_);
    statuses_.push_back(status);
  }
  std::vector<int32_t> Statuses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return statuses_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<int32_t> statuses_;
};
