#include "tools/vprinter/device/device.h"

namespace vprinter {

bool Device::offline() const {
  return offlineSwitch || coverOpen || paper == Paper::Empty || anyError();
}

void Device::openDrawer(Clock::time_point now) {
  drawerOpen_ = true;
  drawerCloseAt_ = now + drawerCloseAfter_;
}

void Device::closeDrawer() { drawerOpen_ = false; }

bool Device::tick(Clock::time_point now) {
  if (!drawerOpen_ || drawerCloseAfter_.count() <= 0 || now < drawerCloseAt_) return false;
  drawerOpen_ = false;
  return true;
}

bool Device::drawerDeadline(Clock::time_point& when) const {
  if (!drawerOpen_ || drawerCloseAfter_.count() <= 0) return false;
  when = drawerCloseAt_;
  return true;
}

Status4 Device::asb() const {
  bool senseHigh = drawerOpen_ ? drawerOpenHigh_ : !drawerOpenHigh_;
  Status4 s{0x10, 0x00, 0x00, 0x00};
  if (senseHigh) s[0] |= 0x04;
  if (offline()) s[0] |= 0x08;
  if (coverOpen) s[0] |= 0x20;
  if (mechanicalError) s[1] |= 0x04;
  if (cutterError) s[1] |= 0x08;
  if (unrecoverableError) s[1] |= 0x20;
  s[2] = std::uint8_t(paperSensors());
  return s;
}

int Device::paperSensors() const { return paper == Paper::Empty ? 0x0F : paper == Paper::NearEnd ? 0x03 : 0; }

int Device::transmitStatus(int n) const {
  switch (n) {
    case 1: case 49: return paperSensors();
    case 2: case 50: return (asb()[0] & 0x04) ? 1 : 0;  // drawer connector pin 3
  }
  return -1;
}

namespace {
// Bits of one cartridge: near end, empty, removed (cartridge 1 in b1,
// cartridge 2's removed bit also in b1, its other bits in b2).
void inkBits(Ink ink, int cart, Status4& s) {
  switch (ink) {
    case Ink::Ok: break;
    case Ink::NearEnd: s[cart == 0 ? 1 : 2] |= 0x01; break;
    case Ink::Empty: s[cart == 0 ? 1 : 2] |= 0x02; break;
    case Ink::Removed: s[1] |= cart == 0 ? 0x04 : 0x08; break;
    case Ink::Cleaning: s[1] |= 0x20; break;
  }
}
}  // namespace

Status4 Device::inkStatus() const {
  Status4 s{0x35, 0x00, 0x00, 0x00};
  inkBits(ink[0], 0, s);
  inkBits(ink[1], 1, s);
  return s;
}

int Device::realtime(int n) const {
  int b = 0x12;
  switch (n) {
    case 1:  // printer
      return b | (asb()[0] & 0x04) | (offline() ? 0x08 : 0);
    case 2:  // off-line cause
      return b | (coverOpen ? 0x04 : 0) | (paper == Paper::Empty ? 0x20 : 0) | (anyError() ? 0x40 : 0);
    case 3:  // error cause
      return b | (mechanicalError ? 0x04 : 0) | (cutterError ? 0x08 : 0) | (unrecoverableError ? 0x20 : 0);
    case 4:  // paper roll sensor
      return b | (paper != Paper::Ok ? 0x0C : 0) | (paper == Paper::Empty ? 0x60 : 0);
  }
  return -1;
}

std::string Device::json() const {
  auto flag = [](bool b) { return b ? "true" : "false"; };
  std::string s = "{\"paper\":\"" + std::string(paperName(paper)) + "\",\"cover\":\"" +
                  (coverOpen ? "open" : "closed") + "\",\"online\":" + flag(!offline()) +
                  ",\"offline_switch\":" + flag(offlineSwitch) + ",\"errors\":{\"cutter\":" + flag(cutterError) +
                  ",\"mechanical\":" + flag(mechanicalError) + ",\"unrecoverable\":" + flag(unrecoverableError) +
                  "},\"drawer\":\"" + (drawerOpen_ ? "open" : "closed") + "\",\"ink\":[\"" + inkName(ink[0]) +
                  "\",\"" + inkName(ink[1]) + "\"]";
  return s + "}";
}

bool asbChanged(const Status4& before, const Status4& after, int n) {
  static const Status4 kMasks[4] = {
      {0x04, 0, 0, 0}, {0x68, 0, 0, 0}, {0, 0x6C, 0, 0}, {0, 0, 0x0F, 0}};
  for (int bit = 0; bit < 4; ++bit) {
    if (!(n & (1 << bit))) continue;
    for (int i = 0; i < 4; ++i)
      if ((before[i] ^ after[i]) & kMasks[bit][i]) return true;
  }
  return false;
}

const char* paperName(Paper p) {
  switch (p) {
    case Paper::Ok: return "ok";
    case Paper::NearEnd: return "near-end";
    case Paper::Empty: return "empty";
  }
  return "?";
}

const char* inkName(Ink i) {
  switch (i) {
    case Ink::Ok: return "ok";
    case Ink::NearEnd: return "near-end";
    case Ink::Empty: return "empty";
    case Ink::Removed: return "removed";
    case Ink::Cleaning: return "cleaning";
  }
  return "?";
}

}  // namespace vprinter
