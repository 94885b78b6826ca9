#!/usr/bin/python3
"""The virtual printer's page in a real browser (headless chromium through
chromedriver and selenium, all from Debian): a receipt printed to the
printer appears on the page without a reload, the customer display's text
shows beside the paper (reversed, blinking and dimmed as sent), and the
"Open cover" button changes the page's state and the printer's next status
reply.

usage: page_browser_test.py TAVO_VPRINTER [SCREENSHOT.png]
Exit 77 (skipped) when chromium, chromedriver or selenium is missing.
"""
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77
BOUND = 90  # seconds any one wait may take on a loaded machine

RECEIPT = (b"\x1b@\x1ba\x01\x1b!\x30TAVO CAFE\n\x1b!\x00"
           b"12 Harbour Street\n\n\x1ba\x00"
           b"Espresso                 2.40\n"
           b"Croissant <b>warm</b>    3.10\n"
           b"\x1bE\x01TOTAL                    5.50\n\x1bE\x00"
           b"\x1b\x7f"  # a command the printer does not know
           b"\n\x1ba\x01Thank you\n\x1bd\x06\x1dV\x00")

# The shopper's view: an item, the total reversed on the second row, then
# blinking at 40 % brightness.
DISPLAY = (b"\x1b@\x0cCroissant <b>   3.10\x1f$\x01\x02\x1fr\x01TOTAL\x1fr\x00     5.50"
           b"\x1fX\x02\x1fE\x0a")


def skip(why):
    print("skipped: " + why)
    return SKIP


def wait_until(what, condition):
    end = time.monotonic() + BOUND
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def start_printer(binary, folder):
    proc = subprocess.Popen([binary, "--tcp", "0", "--http", "0", "--display-tcp", "0", "--out", folder,
                             "--no-stdin"], stdout=subprocess.PIPE, text=True)
    ports = {}
    while "tcp" not in ports or "http" not in ports or "display" not in ports:
        line = proc.stdout.readline()
        if not line:
            raise AssertionError("tavo-vprinter ended before listening")
        words = line.split()
        if line.startswith("listening tcp "):
            ports["tcp"] = int(words[2].rsplit(":", 1)[1])
        elif line.startswith("http "):
            ports["http"] = int(words[1].rsplit(":", 1)[1])
        elif line.startswith("display tcp "):
            ports["display"] = int(words[2].rsplit(":", 1)[1])
    return proc, ports


def browser(profile):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--disable-dev-shm-usage", "--window-size=1280,1500", "--user-data-dir=" + profile):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service(executable_path="/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(BOUND)
    driver.set_script_timeout(BOUND)
    return driver


def run(binary, shot, scratch):
    from selenium.webdriver.common.by import By
    proc, ports = start_printer(binary, os.path.join(scratch, "out"))
    driver = None
    host = None
    try:
        driver = browser(os.path.join(scratch, "profile"))
        driver.get("http://127.0.0.1:%d/" % ports["http"])
        js = driver.execute_script
        wait_until("the event stream", lambda: js("return document.body.dataset.live") == "1")
        wait_until("the state", lambda: driver.find_element(By.ID, "st-cover").text == "closed")
        js("window.sameDocument = true")

        host = socket.create_connection(("127.0.0.1", ports["tcp"]), timeout=BOUND)
        sent = time.monotonic()
        host.sendall(RECEIPT)
        wait_until("receipt 1 on the page", lambda: js(
            "const i = document.querySelector('#r-1 img'); return !!i && i.complete && i.naturalWidth > 0"))
        print("receipt 1 shown %.2f s after it was sent" % (time.monotonic() - sent))
        assert js("return window.sameDocument === true"), "the page was reloaded"
        assert "receipt-0001.png" in driver.find_element(By.CSS_SELECTOR, "#r-1 a").get_attribute("href")

        # Its commands: the stream's text shown as text, the unknown command marked.
        driver.find_element(By.CSS_SELECTOR, "#r-1 button.pick").click()
        wait_until("receipt 1's commands", lambda: "Croissant <b>warm</b>" in driver.find_element(By.ID, "log").text)
        assert not driver.find_elements(By.CSS_SELECTOR, "#log b"), "stream text became markup"
        assert driver.find_elements(By.CSS_SELECTOR, "#log tr.unknown mark"), "unknown command not marked"

        # The customer display beside the paper, its text as text.
        display = socket.create_connection(("127.0.0.1", ports["display"]), timeout=BOUND)
        display.sendall(DISPLAY)
        # (read as textContent: a blinking cell is invisible half the time)
        read_rows = "return Array.from(document.querySelectorAll('#vfd-rows .vfd-row'), (r) => r.textContent)"
        wait_until("the display's total", lambda: "TOTAL" in "".join(js(read_rows)))
        rows = js(read_rows)
        display.close()
        assert rows[0].rstrip() == "Croissant <b>   3.10", rows
        assert not driver.find_elements(By.CSS_SELECTOR, "#vfd-rows b"), "display text became markup"
        assert len(driver.find_elements(By.CSS_SELECTOR, "#vfd-rows span.x")) == 5, "reversed cells not marked"
        wait_until("the display blinking and dimmed", lambda: js(
            "const v = document.getElementById('vfd'); return v.classList.contains('blink') && "
            "v.style.getPropertyValue('--glow') === '0.4'"))
        assert js("return getComputedStyle(document.querySelector('#vfd-rows span.b')).animationName") == "vfd-blink"
        assert driver.find_element(By.ID, "dl-display").get_attribute("download") == "display.png"

        # Something on the paper for the picture, then the cover button.
        host.sendall(b"\x1b@Next customer...\n")
        driver.find_element(By.ID, "cover-open").click()
        wait_until("the cover shown open", lambda: driver.find_element(By.ID, "st-cover").text == "open")
        host.sendall(b"\x10\x04\x02")  # real-time status: off line causes
        reply = host.recv(1)
        assert len(reply) == 1 and reply[0] & 0x04, "status reply %r does not say the cover is open" % reply
        assert js("return window.sameDocument === true"), "the page was reloaded"
        if shot:
            time.sleep(1)
            driver.save_screenshot(shot)
        print("ok")
        return 0
    finally:
        if host:
            host.close()
        if driver:
            driver.quit()
        proc.terminate()
        proc.wait(timeout=BOUND)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    try:
        import selenium  # noqa: F401
    except ImportError:
        return skip("python3-selenium is not installed")
    for tool in ("/usr/bin/chromium", "/usr/bin/chromedriver"):
        if not os.path.exists(tool):
            return skip(tool + " is not installed")
    scratch = tempfile.mkdtemp(prefix="vprinter-page-")
    try:
        return run(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
