#!/usr/bin/python3
"""zurender studio used in Debian's chromium, headless, as a person uses it.

usage: studio_browser_test.py ZURENDER SCREENSHOT_DIR [WIDTHxHEIGHT]

Starts the studio on a free port and, through the page: checks the dialog's title and the default
list; selects a row and sees its options; adds a Fog layer through the kind menu; switches a row on
and the new one off; changes a blend mode; confirms. The settings file must then hold exactly those changes, as
`zurender layers FILE list` shows it. Then renders at a small size: every declared layer and the
check's verdict must be on the page, and switching a layer off must change the stack's error.
Screenshots of the dialog and the viewer go into SCREENSHOT_DIR. Exit status 77 (skipped) where no
browser can be started, unless ZU_REQUIRE_ARTIFACTS=1, under which that fails.
"""
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ZURENDER, SHOTS = sys.argv[1], sys.argv[2]
# Where i386 programs start only through qemu-i386, ctest names it in ZU_I386_EMULATOR.
EMULATOR = os.environ.get("ZU_I386_EMULATOR", "").split()
# The render's size: small for the test; larger for pictures of the page.
WIDTH, HEIGHT = (sys.argv[3] if len(sys.argv) > 3 else "96x72").split("x")
# Generous: the i386 programs may run under emulation.
WAIT = 120


def give_up(reason):
    if os.environ.get("ZU_REQUIRE_ARTIFACTS") == "1":
        print("failed: " + reason + ", and ZU_REQUIRE_ARTIFACTS asks for the browser test")
        sys.exit(1)
    print("skipped: " + reason)
    sys.exit(77)


try:
    from selenium import webdriver
    from selenium.common.exceptions import StaleElementReferenceException, WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import Select, WebDriverWait
except ImportError as e:
    give_up("python3-selenium is not installed (%s)" % e)
for program in ("/usr/bin/chromium", "/usr/bin/chromedriver"):
    if not os.access(program, os.X_OK):
        give_up(program + " is not installed (packages chromium, chromium-driver)")


def zurender(*args):
    run = subprocess.run([*EMULATOR, ZURENDER, *args], capture_output=True, text=True, timeout=WAIT)
    assert run.returncode == 0, "zurender %s: %s" % (" ".join(args), run.stderr)
    return run.stdout


def listing(path):
    """The rows and settings line of `zurender layers FILE list`, without its header."""
    return zurender("layers", path, "list").splitlines()[1:]


work = tempfile.mkdtemp(prefix="zurender-studio-")
out = os.path.join(work, "out")
settings = os.path.join(out, "layers.json")
studio = subprocess.Popen([*EMULATOR, ZURENDER, "studio", "--port", "0", "-o", out], stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True)
driver = None
try:
    address = None
    start = time.time()
    while address is None and time.time() - start < WAIT:
        line = studio.stdout.readline()
        if not line:
            break
        found = re.search(r"open (http://127\.0\.0\.1:\d+/\?token=[0-9a-f]{32})", line)
        address = found.group(1) if found else None
    assert address, "zurender studio printed no address"

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--window-size=1320,1000",
                 "--user-data-dir=" + os.path.join(work, "browser")):
        options.add_argument(flag)
    try:
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    except WebDriverException as e:
        give_up("chromium cannot start: " + e.msg.splitlines()[0] if e.msg else str(e))
    driver.set_page_load_timeout(WAIT)
    # The page draws the dialog anew after every gesture: elements found before one go stale.
    wait = WebDriverWait(driver, WAIT, ignored_exceptions=[StaleElementReferenceException])

    def rows():
        return driver.execute_script(
            "return [...document.querySelectorAll('#dialog-body .list .row .text')].map(e => e.textContent)")

    def control(id):
        return driver.find_element(By.CSS_SELECTOR, '#dialog-body > [data-control="%d"]' % id)

    def row(text):
        return driver.find_elements(By.CSS_SELECTOR, "#dialog-body .list .row")[rows().index(text)]

    def settled(condition):
        wait.until(lambda d: condition())

    def shoot(id, name):
        """A picture of one part of the page, the window as tall as the page so that all of it shows."""
        driver.set_window_size(1320, driver.execute_script("return document.body.scrollHeight") + 200)
        driver.find_element(By.ID, id).screenshot(os.path.join(SHOTS, name))

    driver.get(address)
    settled(lambda: driver.find_element(By.ID, "dialog-title").text == "ZU Layers 1.0")
    default = ["Luminance", "Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"]
    assert rows() == default, rows()
    assert not driver.find_elements(By.CSS_SELECTOR, '#dialog-body > [data-control="15"]'), "options shown unselected"

    # A row selected shows the options of its kind: Diffuse Pack's two.
    row("Diffuse Pack").click()
    settled(lambda: "selected" in row("Diffuse Pack").get_attribute("class"))
    settled(lambda: driver.find_elements(By.CSS_SELECTOR, '#dialog-body > [data-control="15"]'))
    assert "Lighting" in control(15).text and "Additives" in control(16).text
    for hidden in (17, 18, 19, 20, 21):
        assert not driver.find_elements(By.CSS_SELECTOR, '#dialog-body > [data-control="%d"]' % hidden), hidden

    # The kind menu on the add button; Fog goes in ahead of the selected row.
    control(12).click()
    settled(lambda: driver.find_elements(By.ID, "kind-menu"))
    items = [e.text for e in driver.find_elements(By.CSS_SELECTOR, "#kind-menu .item")]
    assert len(items) == 15 and items[12] == "Fog", items
    driver.save_screenshot(os.path.join(SHOTS, "studio-kind-menu.png"))
    driver.find_element(By.CSS_SELECTOR, '#kind-menu .item[data-item="13"]').click()
    settled(lambda: "Fog" in rows() and not driver.find_elements(By.ID, "kind-menu"))
    assert rows() == default[:5] + ["Fog", "Diffuse Pack"], rows()
    assert "selected" in row("Fog").get_attribute("class")

    # The default list has Diffuse Pack alone on: Specular on, the new Fog off again (a new row
    # always comes checked), Specular's blend mode Screen.
    def check_mark(text):
        row(text).find_element(By.CSS_SELECTOR, "input[type=checkbox]").click()

    check_mark("Specular")
    settled(lambda: "off" not in row("Specular").get_attribute("class"))
    check_mark("Fog")
    settled(lambda: "off" in row("Fog").get_attribute("class"))
    row("Specular").click()
    settled(lambda: "selected" in row("Specular").get_attribute("class"))
    Select(control(14).find_element(By.TAG_NAME, "select")).select_by_visible_text("Screen")
    settled(lambda: Select(control(14).find_element(By.TAG_NAME, "select")).first_selected_option.text == "Screen")
    shoot("dialog-section", "studio-dialog.png")

    control(1).click()
    settled(lambda: "Saved to" in driver.find_element(By.ID, "dialog-message").text)

    # The file holds exactly those changes: the same gestures made through `zurender layers`.
    expected = os.path.join(work, "expected.json")
    zurender("layers", expected, "init")
    zurender("layers", expected, "add", "fog", "--at", "6")
    zurender("layers", expected, "enable", "5")
    zurender("layers", expected, "disable", "6")
    zurender("layers", expected, "blend", "5", "screen")
    assert listing(settings) == listing(expected), "\n".join(listing(settings) + ["expected"] + listing(expected))

    # A small render; every declared layer and the check's verdict on the page.
    for side, value in (("width", WIDTH), ("height", HEIGHT)):
        field = driver.find_element(By.ID, side)
        field.clear()
        field.send_keys(value)
    driver.find_element(By.ID, "render").click()
    settled(lambda: driver.find_element(By.ID, "viewer").is_displayed()
            and driver.find_element(By.ID, "stack-error").get_attribute("data-max"))
    with open(os.path.join(out, "manifest.json")) as f:
        declared = [layer["name"] for layer in json.load(f)["layers"]]
    shown = [e.text for e in driver.find_elements(By.CSS_SELECTOR, "#layers .layer .name")]
    assert shown == declared and "Specular" in declared and "Fog" not in declared, (shown, declared)
    verdict = driver.find_element(By.ID, "check-verdict").text
    assert re.match(r"The layers (do not )?rebuild the render", verdict), verdict
    assert len(driver.find_elements(By.CSS_SELECTOR, "#check-table tr")) >= 2
    settled(lambda: driver.execute_script(
        "return [...document.images].filter(i => i.src && i.closest('#viewer')).every(i => i.complete && i.naturalWidth > 0)"))

    settled(lambda: driver.execute_script("return document.getElementById('composite').complete"))
    shoot("viewer", "studio-viewer.png")

    # Switching a layer off stacks the others again: the error moves.
    before = driver.find_element(By.ID, "stack-error").get_attribute("data-max")
    driver.find_element(By.CSS_SELECTOR, '#layers .layer[data-layer="%d"] .in-stack' % declared.index("Diffuse Pack")).click()
    settled(lambda: driver.find_element(By.ID, "stack-error").get_attribute("data-max") != before)
    driver.set_window_size(1320, driver.execute_script("return document.body.scrollHeight") + 40)
    driver.save_screenshot(os.path.join(SHOTS, "studio-page.png"))
    print("studio: dialog, confirmation, render and viewer as expected; screenshots in " + SHOTS)
finally:
    if driver is not None:
        driver.quit()
    # One Ctrl-C ends the studio.
    studio.send_signal(signal.SIGINT)
    try:
        status = studio.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        studio.kill()
        status = None
    shutil.rmtree(work, ignore_errors=True)
assert status == 0, "zurender studio did not end cleanly on Ctrl-C (status %s)" % status
