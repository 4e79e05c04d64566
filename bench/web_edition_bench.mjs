// How fast the web edition answers in Debian's chromium, headless, side by side with what
// it is measured against:
// - from navigation to the first picture, against chromium showing the same picture as the
//   SVG file the program saves;
// - a drag step of 101 sites (the edit, the whole run again, the new picture on the page),
//   over 200 steps, against the native drag step of the same layout (drag_step_bench);
// - a lesson step by key, and a press that adds a site to 39;
// - the page's memory at 101 sites: JavaScript heap and WebAssembly memory.
// Medians. Usage, from the source folder:
//   NODE_PATH=/usr/share/nodejs node bench/web_edition_bench.mjs [BUILD]
// BUILD holds the program and its benchmarks (default build/release); the page is
// build/web/web/voronoi-delaunay.html.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import { createRequire } from "node:module";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";

const require = createRequire(path.resolve("tests/web/package.json"));
const { chromium } = require("playwright-core");
const build = path.resolve(process.argv[2] ?? "build/release");
const pageUrl = pathToFileURL(path.resolve("build/web/web/voronoi-delaunay.html")).href;
const program = path.join(build, "voronoi-delaunay");
const dragBench = path.join(build, "bench", "drag_step_bench");
for (const file of [program, dragBench]) {
  if (!fs.existsSync(file)) {
    console.error(`missing ${file}: build the program and its benchmarks first`);
    process.exit(2);
  }
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const work = fs.mkdtempSync(path.join(os.tmpdir(), "web-bench-"));

// The drag step's layout, in the address's form; the site dragged is the one in the middle.
const layout = execFileSync(dragBench, ["--site-list", "101"], { encoding: "utf8" })
  .split("\n")
  .filter((line) => line && !line.startsWith("#"))
  .map((line) => line.trim().split(/\s+/).map(Number));
const held = layout[Math.floor(layout.length / 2)];

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  chromiumSandbox: false,
});
const tab = await browser.newPage({ viewport: { width: 1280, height: 900 } });
// The time of the frame that first shows the page's picture, and the memories of the
// WebAssembly instances the page makes (the page compiles its core on the spot).
await tab.addInitScript(() => {
  const Instance = WebAssembly.Instance;
  window.coreMemories = [];
  WebAssembly.Instance = function (module, imports) {
    const instance = new Instance(module, imports);
    for (const value of Object.values(instance.exports)) {
      if (value instanceof WebAssembly.Memory) {
        window.coreMemories.push(value);
      }
    }
    return instance;
  };
  WebAssembly.Instance.prototype = Instance.prototype;
  new MutationObserver((_, observer) => {
    if (document.querySelector("#picture svg")) {
      observer.disconnect();
      requestAnimationFrame(() => {
        window.firstPictureAt = performance.now();
      });
    }
  }).observe(document, { childList: true, subtree: true });
});
const open = async (url) => {
  await tab.goto("about:blank");
  await tab.goto(url, { waitUntil: "load" });
};

// Navigation to first picture: the page, and the program's SVG file of the same seed.
const pageOpening = [];
const svgOpening = [];
for (let run = 0; run < 11; ++run) {
  const seed = 42 + (run % 5);
  const svg = path.join(work, `seed-${seed}.svg`);
  if (!fs.existsSync(svg)) {
    execFileSync(program, ["--seed", String(seed), "--save", svg]);
  }
  await open(pageUrl + "#seed=" + seed);
  await tab.waitForFunction(() => window.firstPictureAt !== undefined);
  pageOpening.push(await tab.evaluate(() => window.firstPictureAt));
  await open(pathToFileURL(svg).href);
  await tab.waitForFunction(() => performance.getEntriesByType("paint").length > 0);
  svgOpening.push(
    await tab.evaluate(() => performance.getEntriesByName("first-contentful-paint")[0].startTime),
  );
}

// A step: the event dispatched (the page's handler edits and runs), then the frame in which
// the page puts the new picture up, until its layout is done. A callback asked for before
// the event and one after it bracket the page's own in that frame.
const timed = (what, times, held) =>
  tab.evaluate(
    async ([what, times, held]) => {
      const picture = document.getElementById("picture");
      const box = picture.querySelector("svg").getBoundingClientRect();
      const client = (x, y, n) => ({
        clientX: box.left + (x * box.width) / 753,
        clientY: box.top + (y * box.height) / 475,
        button: 0,
        pointerId: n,
        pointerType: "mouse",
      });
      const frame = () => new Promise((done) => requestAnimationFrame(() => done(performance.now())));
      if (what === "drag") {
        picture.dispatchEvent(new PointerEvent("pointerdown", client(held[0], held[1], 1)));
        await frame();
      }
      const spent = [];
      for (let n = 0; n < times; ++n) {
        const frameStart = frame();
        const start = performance.now();
        if (what === "step") {
          document.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowDown" }));
        } else if (what === "drag") {
          const dx = (n % 8) - 4; // as drag_step_bench moves it
          picture.dispatchEvent(
            new PointerEvent("pointermove", client(held[0] + dx, held[1] + dx / 2, 1)),
          );
        } else {
          const at = client(
            753 * (0.05 + (0.9 * ((n * 7) % 19)) / 19),
            475 * (0.05 + (0.9 * ((n * 11) % 17)) / 17),
            n + 2,
          );
          picture.dispatchEvent(new PointerEvent("pointerdown", at));
          picture.dispatchEvent(new PointerEvent("pointerup", at));
        }
        const handled = performance.now();
        const frameEnd = new Promise((done) =>
          requestAnimationFrame(() => {
            picture.querySelector("svg").getBoundingClientRect(); // style and layout now
            done(performance.now());
          }),
        );
        spent.push(handled - start + ((await frameEnd) - (await frameStart)));
      }
      if (what === "drag") {
        picture.dispatchEvent(new PointerEvent("pointerup", client(held[0], held[1], 1)));
      }
      return spent;
    },
    [what, times, held],
  );

await open(pageUrl + "#seed=42&pair=1-7&detail&step=1");
const steps = await timed("step", 40);
await open(pageUrl + "#seed=42");
const presses = await timed("press", 9); // 39 sites and up to 9 more

await open(pageUrl + "#seed=54&sites=" + layout.map(([x, y]) => `${x},${y}`).join(";"));
const shownSites = await tab.evaluate(
  () => document.querySelectorAll("#picture svg circle").length,
);
const drags = await timed("drag", 200, held);
const native = JSON.parse(
  execFileSync(dragBench, ["--benchmark_filter=^DragStep/101$", "--benchmark_format=json"], {
    encoding: "utf8",
  }),
).benchmarks[0];
const nativeStep = native.real_time * { ns: 1e-6, us: 1e-3, ms: 1, s: 1e3 }[native.time_unit];

// Memory at 101 sites: the JavaScript heap, and the WebAssembly memory of the core.
const cdp = await tab.context().newCDPSession(tab);
const heap = await cdp.send("Runtime.getHeapUsage");
const wasmBytes = await tab.evaluate(() =>
  window.coreMemories.reduce((sum, memory) => sum + memory.buffer.byteLength, 0),
);
await browser.close();
fs.rmSync(work, { recursive: true });

const mib = (bytes) => (bytes / 2 ** 20).toFixed(1);
const page = median(pageOpening);
const svg = median(svgOpening);
const drag = median(drags);
console.log(`navigation to first picture (seeds 42-46): ${page.toFixed(0)} ms`);
console.log(`  the same picture as an SVG file:         ${svg.toFixed(0)} ms  (x${(page / svg).toFixed(2)})`);
console.log(`drag step, 101 sites (${shownSites} circles drawn):  ${drag.toFixed(2)} ms`);
console.log(`  native DragStep/101:                     ${nativeStep.toFixed(2)} ms  (x${(drag / nativeStep).toFixed(2)})`);
console.log(`lesson step by key (1-7, detail):          ${median(steps).toFixed(1)} ms`);
console.log(`press that adds a site (39 sites):         ${median(presses).toFixed(1)} ms`);
console.log(`memory at 101 sites: JavaScript heap ${mib(heap.usedSize)} MiB, WebAssembly ${mib(wasmBytes)} MiB,`);
console.log(`  together ${mib(heap.usedSize + wasmBytes)} MiB`);
console.log(`the page file: ${mib(fs.statSync(new URL(pageUrl)).size)} MiB`);
