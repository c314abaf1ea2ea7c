// boxsim's web remote in headless Chromium, as a person uses it: keys from
// the keyboard and the buttons reach the plug-in in order and show on the
// screen, the screen image is loaded only when the picture changed, the stop
// button ends the plug-in and the page says so.  With the real plug-in
// (STECKWART_PLUGIN) it also runs end to end against the router simulator.
//
// CTest runs it (label "browser") with the programs in the environment:
// STECKWART_BOXSIM, STECKWART_FIXTURE, STECKWART_ROUTERSIM, STECKWART_OUTPUT
// and STECKWART_PLUGIN, the plug-in.
import { test, after } from "node:test";
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { mkdirSync, readFileSync, rmSync } from "node:fs";
import { join } from "node:path";

function setting(name) {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set: run this test through ctest`);
  return value;
}
const boxsimProgram = setting("STECKWART_BOXSIM");
const fixture = setting("STECKWART_FIXTURE");
const routersimProgram = setting("STECKWART_ROUTERSIM");
const output = setting("STECKWART_OUTPUT");
const plugin = process.env.STECKWART_PLUGIN;

let chromium;
try {
  ({ chromium } = await import("playwright-core"));
} catch (error) {
  throw new Error(`playwright-core is missing (scripts/setup installs it): ${error.message}`);
}

// ---- Programs ---------------------------------------------------------------

const started = [];

// Starts a program; resolves once its standard output matches ready.
function start(program, args, ready) {
  const child = spawn(program, args, { stdio: ["ignore", "pipe", "pipe"] });
  const run = { child, out: "", err: "", match: null };
  run.exited = new Promise(resolve => child.on("exit", (code, signal) =>
    resolve(code ?? 128 + ({ SIGTERM: 15, SIGKILL: 9, SIGINT: 2 }[signal] ?? 0))));
  child.stdout.on("data", data => { run.out += data; });
  child.stderr.on("data", data => { run.err += data; });
  started.push(run);
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`${program} did not start:\n${run.out}${run.err}`)),
                             30000);
    const look = () => {
      run.match = run.out.match(ready);
      if (!run.match) return;
      clearTimeout(timer);
      child.stdout.off("data", look);
      resolve(run);
    };
    child.stdout.on("data", look);
    run.exited.then(code => {
      clearTimeout(timer);
      reject(new Error(`${program} ended with ${code} before it was ready:\n${run.out}${run.err}`));
    });
  });
}

// Resolves with the exit code, or fails after the timeout.
async function exitOf(run, seconds = 30) {
  let timer;
  const timeout = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`still running after ${seconds} s`)), seconds * 1000);
  });
  try {
    return await Promise.race([run.exited, timeout]);
  } finally {
    clearTimeout(timer);
  }
}

function freshFolder(name) {
  const folder = join(output, name);
  rmSync(folder, { recursive: true, force: true });
  mkdirSync(folder, { recursive: true });
  return folder;
}

// boxsim with the web remote on a free port.
async function startBoxsim(name, image = fixture, extra = []) {
  const folder = freshFolder(name);
  const run = await start(boxsimProgram,
                          ["--box", join(folder, "box"), "--port", "0", ...extra, image],
                          /web remote at (http:\/\/127\.0\.0\.1:\d+\/)/);
  run.url = run.match[1];
  run.folder = folder;
  return run;
}

// The key codes the fixture has reported, in order.
function fixtureKeys(run) {
  return [...run.err.matchAll(/fixture: key (0x[0-9A-F]+)/g)].map(match => match[1]);
}

async function eventually(condition, what, seconds = 20) {
  const deadline = Date.now() + seconds * 1000;
  while (!(await condition())) {
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await new Promise(resolve => setTimeout(resolve, 50));
  }
}

// ---- Browser ----------------------------------------------------------------

let browser;
async function openRemote(url) {
  if (!browser) {
    browser = await chromium.launchPersistentContext(freshFolder("chromium-profile"), {
      executablePath: "/usr/bin/chromium",
      headless: true,
      args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--force-color-profile=srgb"],
      viewport: { width: 1200, height: 720 },
    });
  }
  const page = await browser.newPage();
  page.screenPngs = 0;
  page.on("response", response => {
    if (new URL(response.url()).pathname === "/screen.png" && response.status() === 200)
      page.screenPngs++;
  });
  await page.goto(url);
  await page.waitForSelector('body[data-state="running"]');
  await page.waitForFunction(() => document.getElementById("screen").naturalWidth === 720);
  return page;
}

after(async () => {
  if (browser) await browser.close();
  for (const run of started)
    if (run.child.exitCode === null && run.child.signalCode === null) run.child.kill("SIGTERM");
});

// The ARGB words of screen pixels ([x, y] pairs), as the page shows them.
function pixelsAt(page, points) {
  return page.evaluate(points => {
    const image = document.getElementById("screen");
    const canvas = document.createElement("canvas");
    canvas.width = 720;
    canvas.height = 576;
    const context = canvas.getContext("2d");
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, 720, 576).data;
    return points.map(([x, y]) => {
      const at = 4 * (y * 720 + x);
      return (0xff000000 | pixels[at] << 16 | pixels[at + 1] << 8 | pixels[at + 2]) >>> 0;
    });
  }, points);
}

async function pixelAt(page, x, y) {
  return (await pixelsAt(page, [[x, y]]))[0];
}

async function waitForPixel(page, x, y, colour) {
  await eventually(async () => (await pixelAt(page, x, y)) === colour,
                   `pixel ${x},${y} to become ${colour.toString(16)}`);
}

// The fixture's region lies at 60,40; its n-th key (from 0) fills the box
// at 5 + 25·n, 30 with 0xFF000000 | code.
const keyBox = n => [60 + 5 + 25 * n + 10, 40 + 30 + 10];
const fixtureBlue = 0xff204080;

// ---- With the fixture plug-in -------------------------------------------------

test("keys from the keyboard and the buttons reach the plug-in in order and show on the screen",
     async () => {
  const boxsim = await startBoxsim("keys");
  const page = await openRemote(boxsim.url);
  assert.equal(await pixelAt(page, ...keyBox(0)), fixtureBlue);

  const shortcuts = [
    ["ArrowDown", "0x1001D"], ["ArrowUp", "0x10012"], ["ArrowLeft", "0x1000F"],
    ["ArrowRight", "0x10015"], ["Enter", "0x1001E"], [" ", "0x1001E"], ["i", "0x10014"],
    ["PageDown", "0x1001D"], ["PageUp", "0x10012"], ["+", "0x10015"], ["-", "0x1000F"],
    ["0", "0x10000"], ["5", "0x10005"],
  ];
  for (const [key] of shortcuts) await page.keyboard.press(key);
  const buttons = [["ok", "0x1001E"], ["info", "0x10014"], ["3", "0x10003"], ["next", "0x1001D"]];
  for (const [name] of buttons) await page.click(`button[data-key="${name}"]`);
  const expected = [...shortcuts, ...buttons].map(([, code]) => code);
  await eventually(() => fixtureKeys(boxsim).length >= expected.length, "the keys");
  assert.deepEqual(fixtureKeys(boxsim), expected);

  // The screen follows (the region has room for the first eight boxes).
  await waitForPixel(page, ...keyBox(6), 0xff010014);
  assert.equal(await pixelAt(page, ...keyBox(0)), 0xff01001d);
  assert.equal(await pixelAt(page, ...keyBox(1)), 0xff010012);

  // Esc is the exit key, which ends the fixture by itself.
  await page.keyboard.press("Escape");
  await page.waitForSelector('body[data-state="ended"]');
  assert.match(await page.textContent("#status"), /TAP_Main returned 7/);
  assert.equal(await exitOf(boxsim), 7);
  assert.equal(fixtureKeys(boxsim).at(-1), "0x10017");
  await page.close();
});

test("the screen image is loaded only when the picture changed", async () => {
  const boxsim = await startBoxsim("unchanged");
  const page = await openRemote(boxsim.url);
  assert.equal(page.screenPngs, 1);
  await page.waitForTimeout(1500);
  assert.equal(page.screenPngs, 1, "loaded again although nothing changed");

  // Key 8 makes the fixture sync the same picture again.
  await page.keyboard.press("8");
  await eventually(() => fixtureKeys(boxsim).includes("0x10008"), "key 8");
  await page.waitForTimeout(1000);
  assert.equal(page.screenPngs, 1, "loaded again for the same picture in a new frame");

  await page.keyboard.press("ArrowDown");
  await waitForPixel(page, ...keyBox(0), 0xff01001d);
  assert.equal(page.screenPngs, 2);

  // Ctrl-C (here SIGTERM) ends boxsim; the page notices.
  boxsim.child.kill("SIGTERM");
  assert.equal(await exitOf(boxsim), 7);
  await page.waitForSelector('body[data-state="lost"]');
  assert.ok(await page.isDisabled('button[data-key="ok"]'));
  await page.close();
});

test("the stop button ends the plug-in; the page says so before boxsim ends", async () => {
  const boxsim = await startBoxsim("stop");
  const page = await openRemote(boxsim.url);
  await page.click("#stop");
  await page.waitForSelector('body[data-state="ended"]');
  assert.equal(await page.textContent("#status"),
               "The plug-in has ended (TAP_Main returned 7); boxsim ends too.");
  assert.equal(await exitOf(boxsim), 7);
  assert.match(boxsim.err, /fixture: stop/);
  assert.match(boxsim.out, /sending the stop event/);
  await page.close();
});

// ---- The plug-in against the router simulator ---------------------------------

// A new box's settings put the list at x 50, y 20 of the region at 0,0: row
// r spans y 70 + 49·r to 118 + 49·r, the selected one highlighted from x 52;
// the switch state sits on its badge at x 300 to 340, 15 to 37 below the
// row's top.
const rowTop = row => 20 + 50 + 49 * row;
const highlight = 0xff3c3c3c;

async function highlightedRows(page) {
  const margins = await pixelsAt(page, [...Array(10).keys()].map(row => [55, rowTop(row) + 5]));
  return margins.flatMap((pixel, row) => (pixel === highlight ? [row] : []));
}

// "red" or "green": the colour of the switch state text in a row ("Aus" is
// red and "An" green), by the pixels where that colour clearly dominates.
async function switchColour(page, row) {
  const points = [];
  for (let y = rowTop(row) + 15; y < rowTop(row) + 37; y++)
    for (let x = 300; x < 342; x++) points.push([x, y]);
  let red = 0, green = 0;
  for (const pixel of await pixelsAt(page, points)) {
    const r = pixel >> 16 & 0xff, g = pixel >> 8 & 0xff;
    if (r - g > 100) red++;
    if (g - r > 60) green++;
  }
  return red > 5 && red > green ? "red" : green > 5 && green > red ? "green" : "none";
}

test("end to end: OK switches the group, and the socket after the highlight followed the keys",
     { skip: plugin ? false : "the plug-in is not built" }, async () => {
  const folder = freshFolder("endtoend");
  const log = join(folder, "router-requests.log");
  const router = await start(routersimProgram,
                             ["--port", "0", "--log", log, "--devices",
                              new URL("devices.xml", import.meta.url).pathname],
                             /^port (\d+)$/m);
  const boxsim = await startBoxsim("endtoend-box", plugin,
                                   ["--router", `127.0.0.1:${router.match[1]}`, "--user",
                                    "steckwart", "--password", "steckwart"]);
  const page = await openRemote(boxsim.url);
  const toggles = () => readFileSync(log, "utf8").split("\n").filter(line =>
    line.includes('"switchcmd":"setswitchtoggle"'));

  // The first device list shows the group, selected, and its socket, both off.
  await eventually(async () => (await switchColour(page, 2)) === "red", "the device list");
  assert.equal(await switchColour(page, 0), "red");
  assert.deepEqual(await highlightedRows(page), [0]);
  await page.screenshot({ path: join(folder, "1-list.png") });  // for a person to look at

  // OK switches the group at the router by its whole identifier; the next
  // list shows the group and its socket on.
  await page.keyboard.press("Enter");
  await eventually(() => toggles().length === 1, "the group's switch command at the router");
  assert.match(toggles()[0], /"ain":"grp5A31C0-3F1B27EA1"/);
  assert.match(toggles()[0], /"status":200/);
  await eventually(async () => (await switchColour(page, 0)) === "green", "the group to show on");
  await eventually(async () => (await switchColour(page, 2)) === "green", "the socket to show on");
  await page.screenshot({ path: join(folder, "2-group-switched.png") });

  await page.keyboard.press("ArrowDown");
  await eventually(async () => (await highlightedRows(page))[0] === 1, "the highlight to move");
  await page.keyboard.press("ArrowDown");
  await eventually(async () => (await highlightedRows(page))[0] === 2, "the highlight to move on");
  assert.deepEqual(await highlightedRows(page), [2]);

  await page.keyboard.press("Enter");
  await eventually(() => toggles().length === 2, "the socket's switch command at the router");
  assert.match(toggles()[1], /"ain":"08761 ?0100002"/);
  await eventually(async () => (await switchColour(page, 2)) === "red", "the socket to show off");
  await page.screenshot({ path: join(folder, "3-socket-switched.png") });
  assert.equal(toggles().length, 2, "one key, one command");

  // Exit ends the plug-in; the page and boxsim say so.
  await page.keyboard.press("Escape");
  await page.waitForSelector('body[data-state="ended"]');
  assert.equal(await exitOf(boxsim), 0);
  router.child.kill("SIGTERM");
  assert.equal(await exitOf(router), 0);
  await page.close();
});
