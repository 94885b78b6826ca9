// The test's Control Object event side: an IDispatch answering the four
// event methods a Service Object calls, recording each call in arrival
// order. SOError answers through its by-reference response with what
// onError returns (clear when no handler is set). Called only on the test
// thread, from the Service Object's event window while the test pumps
// messages.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

struct Event {
  enum Kind { DirectIO, Error, OutputComplete, StatusUpdate } kind;
  std::vector<long> numbers;  // arguments in declaration order, references read through
};

class CEventRecorder : public IDispatch {
 public:
  CEventRecorder() = default;
  virtual ~CEventRecorder() = default;

  const std::vector<Event>& Events() const { return events_; }
  // Numbers of one kind of event, in arrival order: the status values of
  // StatusUpdate, the OutputIDs of OutputComplete, ...
  std::vector<long> Values(Event::Kind kind) const;
  std::vector<Event> OfKind(Event::Kind kind) const;
  std::size_t Count() const { return events_.size(); }
  // Readable list of everything received, for failure messages and the log.
  std::string Describe() const;

  // The application's answer to an error event (OPOS_ER_RETRY 11 or
  // OPOS_ER_CLEAR 12); gets the event's numbers.
  std::function<long(const Event&)> onError;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT* argErr) override;

 private:
  ULONG refs_ = 1;
  std::vector<Event> events_;
};

const char* KindName(Event::Kind kind);
