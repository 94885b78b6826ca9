/* The port-manager library from the inside: how it reaches ports, what the
 * five option values mean, and how the bytes coming back from the printer
 * are split. The entry points themselves are in portmgr_api.h.
 *
 * Handles
 *   CreatePort gives a small non-zero handle per port name (1, 2, 3, ...).
 *   A second CreatePort for the same port name (the cash drawer after the
 *   printer) adds its user bit and gives the same handle, so whichever
 *   handle a caller keeps, DeletePort(user, handle) for each user ends the
 *   port when the last user bit goes. A wrong handle, a null pointer or a
 *   negative length gives 0 from every entry point. Ports must be closed
 *   (ClosePort, or DeletePort of the last user) before the library is
 *   unloaded: an open port's reader thread runs the library's code.
 *
 * Port names (the name in PortSettings; CreatePort's name when it is null)
 *   "COMn"            serial line. Windows: "\\.\COMn". POSIX: /dev/ttyS(n-1).
 *   "LPTn"            parallel port. Windows: "\\.\LPTn". POSIX: /dev/lp(n-1).
 *   a.b.c.d           IPv4 address: TCP, the baud-rate field is the TCP port
 *                     (0 means 9100, the usual raw printing port). The unset
 *                     address 0.0.0.0 and 255.255.255.255 are refused.
 *   "NUL"             the null port: takes every byte, never answers.
 *   anything else     a device path opened as it is (USB printer paths on
 *                     Windows, /dev/usb/lpN, a tty such as /dev/pts/N, or a
 *                     plain file that receives the data). Never created.
 *
 * Line settings (serial only): dataBits 5..8; stopBits index 0 one, 1 one
 *   and a half (two on POSIX, which has no 1.5), 2 two; parity index 0
 *   none, 1 even, 2 odd. Out-of-range values make SetDeviceOption give 0.
 *
 * Option values (PortSettings.option)
 *   [0] flow control, serial only: 0 none, 1 XON/XOFF, 2 RTS/CTS,
 *       3 DTR/DSR (POSIX: no DTR/DSR flow in termios, DSR is only watched).
 *   [1] reserved, ignored.
 *   [2] reply gap in ms: once Read has a byte it returns when no further
 *       byte came for this long (0: as soon as any bytes are there).
 *   [3] write time-out per byte in ms.
 *   [4] write time-out constant in ms; a Write gives up after
 *       [3] * length + [4] ms. When [3] and [4] are both 0 the limit is
 *       3000 ms + 1 ms per byte, so no Write can hang on a dead port.
 *       Also the connect time-out of TCP ports (3000 ms when 0).
 *   inputBuffer: reply bytes kept unread (default 4096; the oldest go when
 *   full). outputBuffer: driver queue size for serial ports on Windows.
 *
 * Threads
 *   Each open port has one reader thread. It alone receives: it splits the
 *   bytes (below), queues status blocks and reply bytes, and re-opens a link
 *   that broke (TCP drop, unplugged device) with a back-off of 100 ms
 *   doubling to 5 s. Entry points may be called from any thread; writes to
 *   one port are serialised inside the library, so bytes of two Write calls
 *   never interleave. Write sends everything or reports how much went out.
 *
 * What comes back from the printer
 *   Automatic status block, 4 bytes: the first has bit 4 set and bits 0, 1
 *     and 7 clear, (b & 0x93) == 0x10 (bit 2 drawer sense, bit 3 off line,
 *     bit 5 cover open, bit 6 feed button); the next three have bits 4 and 7
 *     clear, (b & 0x90) == 0 (byte 1: bit 2 mechanical, bit 3 auto-cutter,
 *     bit 5 unrecoverable error; byte 2: bits 0-1 paper near end, bits 2-3
 *     paper end).
 *   Ink status block, 4 bytes: 0x35, two state bytes, 0x00.
 *   Anything else is a reply byte and is what Read returns. The one-byte
 *   real-time status replies have bits 1 and 4 set, so they never start a
 *   status block, and they break one they land in.
 *   A byte that starts a block but is not followed by a fitting one, or a
 *   partial block with no byte after it for 100 ms, is handed to Read.
 *   GetASBState gives the status and ink blocks in arrival order, one per
 *   call; up to 1024 wait unread, then the oldest is dropped.
 *   Clear discards unread reply bytes only: status blocks are kept.
 *
 * Power (IsPowerState)
 *   2001 while the port is open, its link is up and the printer shows no
 *   sign of being gone; else 2003. Silence is no such sign: a printer sends
 *   automatic status only when something changes. Signs: a TCP link that dropped; a write
 *   that timed out or failed, until the printer sends a byte or takes a
 *   whole write again; on a serial line with RTS/CTS (DTR/DSR) flow
 *   control, CTS (DSR) low where the line reports it.
 */
#ifndef PORTMGR_H
#define PORTMGR_H

#include "portmgr/portmgr_api.h"

#define PORTMGR_TCP_DEFAULT_PORT 9100

/* Indices into PortSettings.option. */
#define PORTMGR_OPT_FLOW 0
#define PORTMGR_OPT_RESERVED 1
#define PORTMGR_OPT_REPLY_GAP 2
#define PORTMGR_OPT_WRITE_PER_BYTE 3
#define PORTMGR_OPT_WRITE_CONSTANT 4

/* Values of option[PORTMGR_OPT_FLOW]. */
#define PORTMGR_FLOW_NONE 0
#define PORTMGR_FLOW_XONXOFF 1
#define PORTMGR_FLOW_RTSCTS 2
#define PORTMGR_FLOW_DTRDSR 3

#endif
