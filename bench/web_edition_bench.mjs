// How fast the web edition answers in Debian's chromium, headless: the time from opening the
// page to its first picture, a lesson step by key, and a site added by a press (each with
// the new picture put on the page), and the page's JavaScript heap. Medians of the runs.
// Usage: NODE_PATH=/usr/share/nodejs node bench/web_edition_bench.mjs [PAGE]
// (from the source folder; the page is build/web/web/voronoi-delaunay.html unless given).
import { createRequire } from "node:module";
import path from "node:path";
import { pathToFileURL } from "node:url";

const require = createRequire(path.resolve("tests/web/package.json"));
const { chromium } = require("playwright-core");
const page = path.resolve(process.argv[2] ?? "build/web/web/voronoi-delaunay.html");
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  chromiumSandbox: false,
});
const tab = await browser.newPage({ viewport: { width: 1280, height: 900 } });
const opening = [];
for (let run = 0; run < 5; ++run) {
  await tab.goto(pathToFileURL(page).href + "#seed=" + (42 + run));
  await tab.waitForSelector("#picture svg");
  opening.push(await tab.evaluate(() => performance.now()));
}
// Synchronous events: the page's handlers draw the new picture before they return.
const timed = (what, times) =>
  tab.evaluate(
    ([what, times]) => {
      const picture = document.getElementById("picture");
      const box = picture.querySelector("svg").getBoundingClientRect();
      const spent = [];
      for (let n = 0; n < times; ++n) {
        const start = performance.now();
        if (what === "step") {
          document.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowDown" }));
        } else {
          const at = { clientX: box.left + box.width * (0.05 + 0.9 * ((n * 7) % 19) / 19),
                       clientY: box.top + box.height * (0.05 + 0.9 * ((n * 11) % 17) / 17),
                       button: 0, pointerId: 1, pointerType: "mouse" };
          picture.dispatchEvent(new PointerEvent("pointerdown", at));
          picture.dispatchEvent(new PointerEvent("pointerup", at));
        }
        spent.push(performance.now() - start);
      }
      return spent;
    },
    [what, times],
  );
await tab.goto(pathToFileURL(page).href + "#seed=42&pair=1-7&detail&step=1");
await tab.waitForSelector("#picture svg");
const steps = await timed("step", 40);
await tab.goto(pathToFileURL(page).href + "#seed=42");
await tab.waitForSelector("#picture svg");
const presses = await timed("press", 9);  // 39 sites and up to 9 more
const heap = await tab.evaluate(() => performance.memory?.usedJSHeapSize ?? 0);
await browser.close();

console.log(`open to first picture (seed 42-46): ${median(opening).toFixed(0)} ms`);
console.log(`lesson step by key (1-7, detail):   ${median(steps).toFixed(1)} ms`);
console.log(`press that adds a site (39 sites):   ${median(presses).toFixed(1)} ms`);
console.log(`JavaScript heap:                     ${(heap / 1e6).toFixed(1)} MB`);
