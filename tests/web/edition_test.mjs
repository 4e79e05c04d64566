// The web edition in Debian's chromium, headless, as a learner uses it, held to the desktop
// program: every picture the page shows is, element for element and attribute for
// attribute, the SVG that the desktop program saves for the same layout and view.
// Usage: node edition_test.mjs PAGE DESKTOP_PROGRAM WORK_DIR
import { chromium } from "playwright-core";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";

const [pageFile, desktop, work] = process.argv.slice(2);
const pageUrl = pathToFileURL(path.resolve(pageFile)).href;
let failures = 0;
const requests = [];
const errors = [];

// What the desktop program saves for the address's layout and lesson view, as SVG text.
let saved = 0;
function desktopSvg(address, extra = []) {
  const parts = new URLSearchParams(address.replaceAll(";", "%3B"));
  const list = path.join(work, `sites-${saved}.txt`);
  const svg = path.join(work, `desktop-${++saved}.svg`);
  const args = ["--seed", parts.get("seed")];
  if (parts.has("sites")) {
    const lines = parts.get("sites").split(";").map((site) => site.replace(",", " "));
    fs.writeFileSync(list, `# seed ${parts.get("seed")}\n${lines.join("\n")}\n`);
    args.push("--sites", list);
  }
  if (parts.has("pair")) {
    args.push("--explain", parts.get("pair"), "--step", parts.get("step"));
    if (parts.has("detail")) {
      args.push("--detail");
    }
  }
  execFileSync(desktop, [...args, ...extra, "--save", svg], {
    env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
    stdio: ["ignore", "ignore", "inherit"],
  });
  return fs.readFileSync(svg, "utf8");
}

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  chromiumSandbox: false,
});

// A page of the given width, opened at the address; with touch, as a phone.
async function open(address, { width = 1280, touch = false, file = pageFile } = {}) {
  const url = pathToFileURL(path.resolve(file)).href;
  const context = await browser.newContext({
    viewport: { width, height: 900 },
    deviceScaleFactor: 1,
    hasTouch: touch,
    isMobile: touch,
  });
  const page = await context.newPage();
  page.on("request", (request) => {
    if (request.url().split("#")[0] !== url) {
      requests.push(request.url());
    }
  });
  page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
  page.on("pageerror", (error) => errors.push(String(error)));
  await page.goto(address ? `${url}#${address}` : url);
  await page.waitForSelector("#picture svg");
  // Window pixels of the picture to the page's, through the picture's scale.
  page.at = async (x, y) => {
    const box = await page.locator("#picture svg").boundingBox();
    return [box.x + (x * box.width) / 753, box.y + (y * box.height) / 475];
  };
  page.address = () => decodeURIComponent(new URL(page.url()).hash.slice(1));
  page.text = (id) => page.textContent(`#${id}`);
  page.settle = () => page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
  // The page's <svg> against the file's: "same", or the first element that differs.
  page.against = (fileText) =>
    page.evaluate((text) => {
      const flat = (svg) =>
        [svg, ...svg.querySelectorAll("*")].map((element) =>
          [element.tagName, ...[...element.attributes].map((a) => `${a.name}=${a.value}`).sort(),
           element.children.length === 0 ? element.textContent : ""].join(" "));
      const mine = flat(document.querySelector("#picture svg"));
      const theirs = flat(new DOMParser().parseFromString(text, "image/svg+xml").documentElement);
      for (let n = 0; n < Math.max(mine.length, theirs.length); ++n) {
        if (mine[n] !== theirs[n]) {
          return `element ${n} of ${theirs.length}: page "${mine[n]}", file "${theirs[n]}"`;
        }
      }
      return "same";
    }, fileText);
  return page;
}

async function check(name, body) {
  try {
    await body();
    console.log(`ok: ${name}`);
  } catch (error) {
    ++failures;
    console.log(`FAILED: ${name}\n${error.stack ?? error}`);
  }
}

await check("the first picture, an added and a dragged site, are the desktop's", async () => {
  const page = await open("seed=42");
  assert.equal(await page.against(desktopSvg("seed=42")), "same");
  await page.mouse.click(...(await page.at(700, 30)));
  await page.settle();
  const added = page.address();
  assert.match(added, /^seed=42&sites=.*;700(\.\d+)?,30(\.\d+)?$/);
  assert.equal(await page.against(desktopSvg(added)), "same");
  await page.mouse.move(...(await page.at(700, 30)));
  await page.mouse.down();
  await page.mouse.move(...(await page.at(650, 60)), { steps: 4 });
  await page.mouse.up();
  await page.settle();
  assert.match(page.address(), /;650(\.\d+)?,60(\.\d+)?$/, "the site follows the drag");
  assert.equal(await page.against(desktopSvg(page.address())), "same");
  await page.keyboard.press("ArrowLeft");  // the site last pressed, a pixel to the left
  await page.settle();
  assert.match(page.address(), /;649(\.\d+)?,60(\.\d+)?$/);
  assert.match(await page.text("line"), /^Site 40 selected, at \(649/);
  for (let n = 0; n < 3; ++n) {
    await page.keyboard.press("Control+z");
  }
  await page.settle();
  assert.equal(page.address(), "seed=42", "the three edits undone");
  await page.close();
});

await check("a lesson by the window's keys, its link opening the same step", async () => {
  const page = await open("seed=42");
  for (const key of ["e", "ArrowRight", "Enter", "ArrowDown", "ArrowDown"]) {
    await page.keyboard.press(key);
  }
  await page.settle();
  const address = page.address();
  assert.match(address, /^seed=42&pair=1-3&detail&step=\d+$/);
  const step = Number(address.split("step=")[1]);
  const lines = execFileSync(desktop, ["--seed", "42", "--explain", "1-3", "--steps", "--detail"],
                             { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" } })
                  .toString().trim().split("\n");
  assert.equal(await page.text("line"), lines[step - 1]);
  assert.equal(await page.text("heading"), "Pair 1-3.");
  assert.equal(await page.against(desktopSvg(address)), "same");
  const again = await open(address);
  assert.equal(await again.text("line"), lines[step - 1]);
  assert.equal(again.address(), address);
  await page.keyboard.press("Escape");
  await page.settle();
  assert.equal(page.address(), "seed=42");
  await page.close();
  await again.close();
});

await check("a phone: a tap adds a site, a long press removes it, the picture fits", async () => {
  const page = await open("seed=7", { width: 390, touch: true });
  const box = await page.locator("#picture svg").boundingBox();
  assert.ok(box.width <= 390 && box.width > 350, `the picture is ${box.width} px wide`);
  await page.touchscreen.tap(...(await page.at(100, 400)));
  await page.settle();
  assert.match(page.address(), /;100(\.\d+)?,400(\.\d+)?$/);
  const [x, y] = await page.at(100, 400);
  const touch = { pointerType: "touch", button: 0, clientX: x, clientY: y, pointerId: 2 };
  await page.dispatchEvent("#picture", "pointerdown", touch);
  await page.waitForTimeout(800);
  await page.dispatchEvent("#picture", "pointerup", touch);
  await page.settle();
  assert.equal(page.address(), "seed=7", "the long press removed the site");
  await page.screenshot({ path: path.join(work, "phone.png"), fullPage: true });
  await page.close();
});

await check("an exercise from its address, graded with its proof", async () => {
  const page = await open("seed=5&exercise=delaunay-edges");
  assert.equal(page.address(), "seed=5&exercise=delaunay-edges");
  await page.keyboard.press("g");
  await page.settle();
  assert.match(await page.text("line"), /Score: 0 of \d+/);
  await page.getByRole("button", { name: "Leave", exact: true }).click();
  assert.equal(page.address(), "seed=5");
  await page.close();
});

await check("the files --save FILE.html writes open at their lesson, tour or layout", async () => {
  const run = (...args) =>
    execFileSync(desktop, args, { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" } })
      .toString().trim().split("\n");
  const overview = run("--seed", "42", "--explain", "1-7", "--steps");
  const detail = run("--seed", "42", "--explain", "1-7", "--steps", "--detail");
  const tour = run("--seed", "42", "--tour", "--steps");
  const saved = (name, ...args) => {
    const file = path.join(work, name);
    run("--seed", "42", ...args, "--save", file);
    assert.ok(fs.statSync(file).size < 2e6, `${name} is under 2 MB`);
    return file;
  };
  const lesson = saved("lesson.html", "--explain", "1-7");
  const at = async (file, address = "") => {
    const page = await open(address, { file });
    return page;
  };
  let page = await at(lesson);
  assert.equal(page.address(), "seed=42&pair=1-7&step=1");
  assert.equal(await page.text("line"), overview[0]);
  for (const [key, line] of [["PageDown", overview[1]], ["End", overview.at(-1)],
                             ["Home", overview[0]], ["Enter", detail[0]]]) {
    await page.keyboard.press(key);
    await page.settle();
    assert.equal(await page.text("line"), line, key);
  }
  assert.equal(page.address(), "seed=42&pair=1-7&detail&step=1");
  assert.equal(await page.against(desktopSvg(page.address())), "same");
  await page.close();
  page = await at(lesson, "seed=42&pair=1-7&step=3");  // an address of its own wins
  assert.equal(await page.text("line"), overview[2]);
  await page.close();
  page = await at(saved("tour.html", "--tour"));
  assert.equal(await page.text("line"), tour[0]);
  await page.keyboard.press("End");
  await page.settle();
  assert.equal(await page.text("line"), tour.at(-1));
  await page.close();
  page = await at(saved("seed.html"));
  assert.equal(page.address(), "seed=42");
  assert.equal(await page.against(desktopSvg("seed=42")), "same");
  await page.close();
});

await check("a question answered right and one wrong, the score as the desktop decides", async () => {
  const page = await open("seed=42");
  const drawn = new Set(
    execFileSync(desktop, ["--seed", "42", "--explain", "all"], {
      env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
    }).toString().split("\n").filter((line) => line.includes(": drawn"))
      .map((line) => line.slice(5, line.indexOf(":"))));
  for (const [n, right] of [[1, true], [2, false]]) {
    await page.keyboard.press("q");
    await page.settle();
    const pair = (await page.text("heading")).match(/pair (\d+-\d+)\./)[1];
    await page.keyboard.press(drawn.has(pair) === right ? "1" : "2");
    await page.settle();
    const heading = await page.text("heading");
    assert.ok(heading.startsWith(right ? "Right." : "Not so."), heading);
    assert.ok(heading.endsWith(`Score: 1 of ${n}.`), heading);
  }
  await page.close();
});

await check("a drawn exercise graded, its results file graded alike by --grade", async () => {
  const page = await open("seed=5&exercise=delaunay-edges");
  const sites = await page.evaluate(() =>
    [...document.querySelectorAll("#picture svg circle")].map((c) => [
      Number(c.getAttribute("cx")), Number(c.getAttribute("cy"))]));
  for (const [a, b] of [[0, 1], [0, 2], [1, 2]]) {
    await page.mouse.click(...(await page.at(...sites[a])));
    await page.mouse.click(...(await page.at(...sites[b])));
  }
  await page.keyboard.press("g");
  await page.settle();
  const shown = (await page.text("line")).match(/Right (\d+), wrong (\d+), missed (\d+)/);
  assert.ok(shown, await page.text("line"));
  await page.fill("#name", "Ada");
  const [download] = await Promise.all([page.waitForEvent("download"),
                                        page.getByRole("button", { name: "Save picture..." })
                                            .click()]);
  const file = path.join(work, "ada.json");
  await download.saveAs(file);
  const graded = execFileSync(desktop, ["--grade", file],
                              { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" } })
                   .toString();
  assert.match(graded, new RegExp(`right ${shown[1]}, wrong ${shown[2]}, missed ${shown[3]}`), graded);
  assert.match(fs.readFileSync(file, "utf8"), /"name": "Ada"/);
  await page.close();
});

await check("nothing overflows at 390 and 1,920 pixels, and a sandboxed frame runs it", async () => {
  for (const width of [390, 1920]) {
    const page = await open("seed=42&pair=1-7", { width, touch: width < 500 });
    const wide = await page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(wide <= width, `${wide} px of content at ${width}`);
    await page.close();
  }
  const frame = path.join(work, "frame.html");
  fs.writeFileSync(frame, `<!DOCTYPE html><iframe sandbox="allow-scripts" width="800"
    height="900" src="${pageUrl}#seed=42"></iframe>`);
  const context = await browser.newContext();
  const outer = await context.newPage();
  outer.on("pageerror", (error) => errors.push(String(error)));
  outer.on("console", (message) => message.type() === "error" && errors.push(message.text()));
  await outer.goto(pathToFileURL(frame).href);
  const inner = outer.frames().find((f) => f.url().startsWith(pageUrl));
  assert.ok(inner, "the frame opened the page");
  await inner.waitForSelector("#picture svg");
  assert.match(await inner.textContent("#picture svg desc"), /of 39 sites/);
  await context.close();
});

// The exact layer's marks in the page's picture: for each colour, the segments between two
// sites (a Delaunay edge), as "I-J", and every line of that colour.
const exactMarks = (page) =>
  page.evaluate(() => {
    const sites = [...document.querySelectorAll("#picture svg circle")].map((c) => [
      Number(c.getAttribute("cx")), Number(c.getAttribute("cy"))]);
    const siteAt = (x, y) =>
      sites.findIndex(([sx, sy]) => Math.hypot(sx - x, sy - y) < 1e-3) + 1;
    const marks = {};
    for (const [name, colour] of [["float", "#ff9628"], ["exact", "#5aff5a"]]) {
      const lines = [...document.querySelectorAll(`#picture svg line[stroke="${colour}"]`)];
      const edges = lines
        .map((l) => ["x1", "y1", "x2", "y2"].map((a) => Number(l.getAttribute(a))))
        .map(([x1, y1, x2, y2]) => [siteAt(x1, y1), siteAt(x2, y2)].sort((a, b) => a - b))
        .filter(([i, j]) => i > 0 && j > 0)
        .map(([i, j]) => `${i}-${j}`);
      marks[name] = { lines: lines.length, edges: edges.sort() };
    }
    marks.note = document.querySelector("#picture svg").textContent.match(/\d+ pairs? differs?/)?.[0];
    return marks;
  });

// What --exact of the address's layout says, as the marks it asks for.
function exactOfAddress(address) {
  const parts = new URLSearchParams(address.replaceAll(";", "%3B"));
  const list = path.join(work, "exact-sites.txt");
  const lines = parts.get("sites").split(";").map((site) => site.replace(",", " "));
  fs.writeFileSync(list, `# seed ${parts.get("seed")}\n${lines.join("\n")}\n`);
  const said = execFileSync(desktop, ["--sites", list, "--exact"], { encoding: "utf8" });
  const pairs = [...said.matchAll(/^pair (\d+)-(\d+): float (\w+).*exact (\w+)/gm)];
  const drawnBy = (side) =>
    pairs.filter((m) => m[side] === "drawn").map((m) => `${m[1]}-${m[2]}`).sort();
  const float = drawnBy(3), exact = drawnBy(4);
  return {
    // each drawn piece and its Delaunay edge, and the legend's line
    float: { lines: 2 * float.length + 1, edges: float },
    exact: { lines: 2 * exact.length + 1, edges: exact },
    note: `${pairs.length} ${pairs.length === 1 ? "pair differs" : "pairs differ"}`,
  };
}

await check("the exact layer marks what --exact finds, before and after a drag", async () => {
  const golden = fs.readFileSync(new URL("../golden/rounding-101-sites.txt", import.meta.url), "utf8");
  const seed = golden.match(/^# seed (\d+)/)[1];
  const sites = golden.split("\n").filter((line) => /^\d/.test(line))
    .map((line) => line.trim().split(/\s+/).join(",")).join(";");
  const page = await open(`seed=${seed}&sites=${sites}`);
  await page.keyboard.press("x");
  await page.settle();
  const before = exactOfAddress(page.address());
  assert.equal(before.note, "3 pairs differ", "the layout keeps its three differing pairs");
  assert.deepEqual(await exactMarks(page), before);
  const [x, y] = sites.split(";")[3].split(",").map(Number);  // site 4, in two of them
  await page.mouse.move(...(await page.at(x, y)));
  await page.mouse.down();
  await page.mouse.move(...(await page.at(x + 3, y + 2)), { steps: 2 });
  await page.mouse.up();
  await page.settle();
  assert.notEqual(page.address(), `seed=${seed}&sites=${sites}`, "the drag moved site 4");
  assert.deepEqual(await exactMarks(page), exactOfAddress(page.address()));
  await page.close();
});

await check("any address opens, and says what it could not use", async () => {
  for (const address of ["%", "seed=abc&pair=1-7", "seed=3&sites=1,2"]) {
    const page = await open(address);
    assert.notEqual(await page.text("refusal"), "", address);
    await page.close();
  }
});

await browser.close();
await check("no request left the page, no error", async () => {
  assert.deepEqual(requests, []);
  assert.deepEqual(errors, []);
});
process.exit(failures === 0 ? 0 : 1);
