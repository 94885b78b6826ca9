// One event on its way to the Control Object. A record belongs to the queue
// from PostEvent on and is deleted by whoever consumes it (the delivery
// handler after delivery, or the queue when it drops or clears it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

enum : int32_t {
  EVENT_DIRECTIO = 2,
  EVENT_ERROR = 3,
  EVENT_OUTPUTCOMPLETE = 4,
  EVENT_STATUSUPDATE = 5,
};

// value1..value4 by type:
//   DirectIO:       event number, data (by reference), -, -; text by reference
//   Error:          ResultCode, ResultCodeExtended, error locus, error response
//   OutputComplete: OutputID
//   StatusUpdate:   status
struct CEventRecord {
  CEventRecord(int32_t type, int32_t v1 = 0, int32_t v2 = 0, int32_t v3 = 0, int32_t v4 = 0)
      : type(type), value1(v1), value2(v2), value3(v3), value4(v4) {}
  virtual ~CEventRecord() = default;

  int32_t type;
  int32_t value1, value2, value3, value4;
  std::string text;
};

// Error: locus 1 (output), response 11 (retry) preset.
std::unique_ptr<CEventRecord> MakeErrorEvent(int32_t resultCode, int32_t resultCodeExtended);
std::unique_ptr<CEventRecord> MakeOutputCompleteEvent(int32_t outputId);
std::unique_ptr<CEventRecord> MakeStatusUpdateEvent(int32_t status);
std::unique_ptr<CEventRecord> MakeDirectIOEvent(int32_t eventNumber, int32_t data, const std::string& text);
