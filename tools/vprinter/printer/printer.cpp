#include "tools/vprinter/printer/printer.h"

#include <algorithm>

#include "tools/vprinter/render/font.h"

namespace vprinter {

namespace {

bool isRequest(Op op) {
  return op == Op::PaperStatus || op == Op::TransmitStatus || op == Op::PrinterId || op == Op::MaintenanceCounter;
}

const Model& modelNamed(const std::string& name) {
  const Model* m = findModel(name);
  return m ? *m : defaultModel();
}

}  // namespace

Printer::Printer(const PrinterOptions& options)
    : model_(modelNamed(options.model)),
      receipts_(options.outDir, options.width),
      renderer_(receipts_, model_.cutterDistance, options.kanji) {}

void Printer::attach(Session* s) { sessions_.push_back(s); }

void Printer::detach(Session* s) {
  s->decoder.finish([&](const Command& c) { logCommand(c, s->name); });
  for (Held& h : held_)
    if (h.session == s) h.session = nullptr;
  sessions_.erase(std::remove(sessions_.begin(), sessions_.end(), s), sessions_.end());
}

void Printer::receive(Session& s, const std::uint8_t* bytes, std::size_t length) {
  bytes_ += length;
  s.decoder.feed(bytes, length, [&](const Command& c) { handle(s, c); });
  statusChanged();
}

void Printer::handle(Session& s, const Command& c) {
  // Decoded before it prints: printing moves the decoder on.
  const std::string shown = c.op == Op::Text ? renderer_.previewText(c.data) : std::string();
  bool done = false;
  std::string remark = immediate(s, c, done);
  if (!done) {
    if (!selected_) {
      remark = "ignored: printer deselected";
    } else if (device_.offline() || !held_.empty()) {
      if (Renderer::handles(c.op) || c.op == Op::DrawerKick || isRequest(c.op)) {
        held_.push_back(Held{c, &s});
        heldBytes_ += c.data.size() + 64;
        remark = "held while off line";
      }
    } else {
      remark = execute(c, &s);
    }
  }
  if (remark.empty()) {
    logCommand(c, s.name, &shown);
  } else {
    Command logged = c;
    logged.note = logged.note.empty() ? remark : logged.note + "; " + remark;
    logCommand(logged, s.name, &shown);
  }
}

void Printer::logCommand(const Command& c, const std::string& source, const std::string* shown) {
  if (c.op != Op::Text) return log_.write(c, source);
  const std::string text = shown ? *shown : renderer_.previewText(c.data);
  log_.write(c, source, &text);
}

// Commands that act at once whatever the state: real-time requests, status
// and sensor settings.
std::string Printer::immediate(Session& s, const Command& c, bool& done) {
  done = true;
  int n = c.args.empty() ? 0 : c.args[0];
  switch (c.op) {
    case Op::RealtimeStatus: {
      int reply = device_.realtime(n);
      if (reply < 0) return "no reply for this request";
      s.outbox += char(reply);
      return "";
    }
    case Op::RealtimeRecover:
      if (n == 1 || n == 2) device_.cutterError = device_.mechanicalError = false;
      if (n == 2) held_.clear(), heldBytes_ = 0;
      return "";
    case Op::RealtimeClear:
      held_.clear();
      heldBytes_ = 0;
      return "";
    case Op::RealtimePulse:
      device_.openDrawer(Clock::now());
      return "drawer opened";
    case Op::AsbEnable:
      s.asbMask = n;
      if (n) {
        s.lastAsb = device_.asb();
        s.outbox.append(s.lastAsb.begin(), s.lastAsb.end());
      }
      return "";
    case Op::InkAsbEnable:
      s.inkAsb = n != 0;
      if (n) {
        s.lastInk = device_.inkStatus();
        s.outbox.append(s.lastInk.begin(), s.lastInk.end());
      }
      return "";
    case Op::SelectPeripheral:
      selected_ = n & 1;
      return "";
    case Op::Nul: case Op::PaperSensorSignal: case Op::PaperSensorStop: case Op::PanelButtons:
    case Op::RealtimePowerOff: case Op::EscG: case Op::Other: case Op::Unknown: case Op::Oversize:
      return "";
    default:
      done = false;
      return "";
  }
}

std::string Printer::execute(const Command& c, Session* s) {
  if (c.op == Op::DrawerKick) {
    device_.openDrawer(Clock::now());
    return "drawer opened";
  }
  if (isRequest(c.op)) return answer(c, s);
  const int cuts = receipts_.count();
  std::string remark = renderer_.apply(c);
  countMaintenance(c, receipts_.count() != cuts);
  return remark;
}

// Paper fed in lines, lines that carried print, and cuts made.
void Printer::countMaintenance(const Command& c, bool cut) {
  const bool feeds = c.op == Op::LineFeed || c.op == Op::FeedLines || cut;
  if (c.op == Op::Text) inked_ = true;
  if (feeds && inked_) {
    maintenance_.headLines(1);
    inked_ = false;
  }
  if (c.op == Op::LineFeed) maintenance_.fed(1);
  if (c.op == Op::FeedLines && !c.args.empty()) maintenance_.fed(std::uint64_t(c.args[0]));
  if (cut) maintenance_.cut();
}

std::string Printer::answer(const Command& c, Session* s) {
  int n = c.args.empty() ? 0 : c.args[0];
  std::string reply;
  if (c.op == Op::PrinterId) {
    reply = printerIdReply(model_, n);
  } else if (c.op == Op::MaintenanceCounter) {
    // GS g fn m nL nH: fn '2' transmits, '0' resets (and answers nothing).
    const int number = c.args.size() >= 4 ? c.args[2] | (c.args[3] << 8) : -1;
    if (n == '0') return maintenance_.reset(number) ? "" : "no resettable counter " + std::to_string(number);
    if (n == '2') reply = maintenance_.transmit(number);
  } else {
    int b = c.op == Op::PaperStatus ? device_.paperSensors() : device_.transmitStatus(n);
    if (b >= 0) reply = char(b);
  }
  if (reply.empty()) return "no reply for this request";
  if (!s) return "not answered: the connection is gone";
  s->outbox += reply;
  return "";
}

void Printer::release() {
  while (!held_.empty() && !device_.offline()) {
    Held h = std::move(held_.front());
    held_.pop_front();
    heldBytes_ -= std::min(heldBytes_, h.command.data.size() + 64);
    execute(h.command, h.session);
  }
}

void Printer::pushStatus(Session& s) {
  Status4 asb = device_.asb();
  if (s.asbMask && asbChanged(s.lastAsb, asb, s.asbMask)) s.outbox.append(asb.begin(), asb.end());
  s.lastAsb = asb;
  Status4 ink = device_.inkStatus();
  if (s.inkAsb && ink != s.lastInk) s.outbox.append(ink.begin(), ink.end());
  s.lastInk = ink;
}

void Printer::statusChanged() {
  release();
  for (Session* s : sessions_) pushStatus(*s);
}

void Printer::tick(Clock::time_point now) {
  if (device_.tick(now)) statusChanged();
}

}  // namespace vprinter
