// tavo-vprinter: a virtual receipt printer for tests and for people
// without hardware. See --help.
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "tools/vprinter/display/display.h"
#include "tools/vprinter/io/server.h"
#include "tools/vprinter/printer/printer.h"
#include "tools/vprinter/render/wide_font.h"

namespace {

const char kUsage[] =
    "usage: tavo-vprinter [--tcp PORT] [--pty] [--out DIR] [--control SOCKPATH] [--control-tcp PORT] [--http PORT]\n"
    "                     [--model NAME] [--width DOTS] [--kanji CODE] [--font-dir DIR]\n"
    "                     [--drawer-close-ms MS] [--drawer-open-high]\n"
    "                     [--display-tcp PORT] [--display-pty] [--display-model NAME] [--no-stdin] [--help]\n"
    "  --tcp PORT          listen on 127.0.0.1:PORT (0 picks a free port; default 9100\n"
    "                      when no transport is given)\n"
    "  --pty               open a pseudo-terminal (a COM port for Wine through a dosdevices link)\n"
    "  --out DIR           where receipt-NNNN.png and commands.jsonl go (default vprinter-out)\n"
    "  --control SOCKPATH  unix socket for control lines (stdin takes them too)\n"
    "  --control-tcp PORT  control lines on 127.0.0.1:PORT too (0 picks a free port), for\n"
    "                      Windows programs under Wine, which cannot reach unix sockets\n"
    "  --http PORT         the printer's page on http://127.0.0.1:PORT/ (0 picks a free port):\n"
    "                      the paper as it prints, the cut receipts, the state and buttons\n"
    "  --model NAME        answer printer ID requests (GS I) as this model, one of\n"
    "                      %s (default %s)\n"
    "  --width DOTS        paper width in dots at 8 dots/mm (default 576)\n"
    "  --kanji CODE        the double-byte code of Kanji mode (FS &): shift-jis (default; FS C\n"
    "                      switches to JIS or Shift JIS-2004), gb18030, big5 or ksc5601\n"
    "  --font-dir DIR      where the 24-dot fonts for glyphs beyond the built-in ones are,\n"
    "                      f24.pcf.gz and h24.pcf.gz (default %s)\n"
    "  --drawer-close-ms MS  a kicked drawer closes by itself after MS (default 3000, 0 never)\n"
    "  --drawer-open-high  the drawer sense line is high while the drawer is open\n"
    "  --display-tcp PORT  a customer display on 127.0.0.1:PORT (0 picks a free port); its\n"
    "                      commands go to DIR/display.jsonl, the control line `display` shows it\n"
    "  --display-pty       the customer display on a pseudo-terminal of its own\n"
    "  --display-model NAME  the display's model, one of %s (default %s)\n"
    "  --no-stdin          take no control lines from stdin\n"
    "  --help, -h          this text\n"
    "Control lines: cover open|close, paper ok|near-end|empty, offline, online,\n"
    "  drawer open|close, error cutter|mechanical|unrecoverable|clear,\n"
    "  ink 1|2 ok|near-end|empty|removed|cleaning, drop, save, state, text, display, quit\n";

void printUsage(FILE* to) {
  std::fprintf(to, kUsage, vprinter::modelNames().c_str(), vprinter::defaultModel().name,
               vprinter::defaultWideFontDir(), vprinter::displayModelNames().c_str(),
               vprinter::defaultDisplayModel().name);
}

vprinter::Server* gServer = nullptr;

void onSignal(int) {
  if (gServer) gServer->stop();
}

bool number(const char* s, long lo, long hi, long& out) {
  char* end = nullptr;
  errno = 0;
  out = std::strtol(s, &end, 10);
  return errno == 0 && end != s && *end == 0 && out >= lo && out <= hi;
}

int usage(const char* problem) {
  std::fprintf(stderr, "tavo-vprinter: %s\n", problem);
  printUsage(stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  vprinter::PrinterOptions printerOpts;
  printerOpts.outDir = "vprinter-out";
  vprinter::ServerOptions serverOpts;
  long closeMs = 3000;
  bool openHigh = false;
  const vprinter::DisplayModel* displayModel = &vprinter::defaultDisplayModel();
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool hasValue = i + 1 < argc;
    long v = 0;
    if (a == "--help" || a == "-h") {
      printUsage(stdout);
      return 0;
    } else if (a == "--tcp" && hasValue) {
      if (!number(argv[++i], 0, 65535, v)) return usage("bad TCP port");
      serverOpts.tcpPort = int(v);
    } else if (a == "--pty") {
      serverOpts.pty = true;
    } else if (a == "--out" && hasValue) {
      printerOpts.outDir = argv[++i];
    } else if (a == "--control" && hasValue) {
      serverOpts.controlPath = argv[++i];
    } else if (a == "--control-tcp" && hasValue) {
      if (!number(argv[++i], 0, 65535, v)) return usage("bad control TCP port");
      serverOpts.controlTcpPort = int(v);
    } else if (a == "--http" && hasValue) {
      if (!number(argv[++i], 0, 65535, v)) return usage("bad HTTP port");
      serverOpts.httpPort = int(v);
    } else if (a == "--model" && hasValue) {
      printerOpts.model = argv[++i];
      if (!vprinter::findModel(printerOpts.model)) return usage("unknown model");
    } else if (a == "--width" && hasValue) {
      if (!number(argv[++i], 64, 1600, v)) return usage("bad width");
      printerOpts.width = int(v);
    } else if (a == "--kanji" && hasValue) {
      if (!vprinter::kanjiFamilyNamed(argv[++i], printerOpts.kanji)) return usage("unknown Kanji code");
    } else if (a == "--font-dir" && hasValue) {
      vprinter::setWideFontDir(argv[++i]);
    } else if (a == "--drawer-close-ms" && hasValue) {
      if (!number(argv[++i], 0, 86400000, closeMs)) return usage("bad drawer time");
    } else if (a == "--drawer-open-high") {
      openHigh = true;
    } else if (a == "--display-tcp" && hasValue) {
      if (!number(argv[++i], 0, 65535, v)) return usage("bad display TCP port");
      serverOpts.displayTcpPort = int(v);
    } else if (a == "--display-pty") {
      serverOpts.displayPty = true;
    } else if (a == "--display-model" && hasValue) {
      displayModel = vprinter::findDisplayModel(argv[++i]);
      if (!displayModel) return usage("unknown display model");
    } else if (a == "--no-stdin") {
      serverOpts.controlStdin = false;
    } else {
      return usage(("unknown or incomplete option " + a).c_str());
    }
  }
  bool displayWanted = serverOpts.displayTcpPort >= 0 || serverOpts.displayPty;
  // A display alone gets no printer port it did not ask for.
  if (serverOpts.tcpPort < 0 && !serverOpts.pty && !displayWanted) serverOpts.tcpPort = 9100;

  if (mkdir(printerOpts.outDir.c_str(), 0755) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "tavo-vprinter: cannot create %s: %s\n", printerOpts.outDir.c_str(), std::strerror(errno));
    return 1;
  }
  vprinter::Printer printer(printerOpts);
  printer.device().setDrawerCloseAfter(std::chrono::milliseconds(closeMs));
  printer.device().setDrawerOpenHigh(openHigh);
  if (!printer.openLog(printerOpts.outDir + "/commands.jsonl"))
    std::fprintf(stderr, "tavo-vprinter: cannot write %s/commands.jsonl\n", printerOpts.outDir.c_str());

  std::unique_ptr<vprinter::Display> display;
  if (displayWanted) {
    display = std::make_unique<vprinter::Display>(*displayModel);
    if (!display->openLog(printerOpts.outDir + "/display.jsonl"))
      std::fprintf(stderr, "tavo-vprinter: cannot write %s/display.jsonl\n", printerOpts.outDir.c_str());
  }
  vprinter::Server server(printer, serverOpts, display.get());
  std::string error;
  if (!server.start(error)) {
    std::fprintf(stderr, "tavo-vprinter: %s\n", error.c_str());
    return 1;
  }
  gServer = &server;
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  if (server.tcpPort() >= 0) std::printf("listening tcp 127.0.0.1:%d\n", server.tcpPort());
  if (!server.ptyPath().empty()) std::printf("listening pty %s\n", server.ptyPath().c_str());
  if (server.controlTcpPort() >= 0) std::printf("control tcp 127.0.0.1:%d\n", server.controlTcpPort());
  if (server.httpPort() >= 0) std::printf("http 127.0.0.1:%d\n", server.httpPort());
  if (server.displayTcpPort() >= 0) std::printf("display tcp 127.0.0.1:%d\n", server.displayTcpPort());
  if (!server.displayPtyPath().empty()) std::printf("display pty %s\n", server.displayPtyPath().c_str());
  std::fflush(stdout);
  server.run();
  printer.receipts().save();
  gServer = nullptr;
  return 0;
}
