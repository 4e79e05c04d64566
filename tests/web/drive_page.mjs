// Opens one of the program's web pages in Debian's chromium, headless, does what the plan
// given as the only argument asks, and prints a report of what the page showed, as JSON:
//   plan:   {"page": FILE, "out": DIR, "keys": [...], "addresses": [...],
//            "screenshots": [...], "answers": [...], "views": [{address, file}]}
//   report: {"keys": [{key, line, position, address}], "addresses": [{address, line}],
//            "screenshots": [FILE], "verdicts": [...], "requests": [URL], "errors": [...]}
// Keys are pressed as a user presses them; an address is a fragment the page is opened at;
// a screenshot is of the step picture at a fragment; answers are keys pressed to the quiz,
// each followed by Q for the next question; a view is the whole page at a fragment, saved
// to a file (the README's picture of the page is one). Every request that leaves the page's file and
// every console error or uncaught exception is reported.
import { chromium } from "playwright-core";
import path from "node:path";
import { pathToFileURL } from "node:url";

const plan = JSON.parse(process.argv[2]);
const pageUrl = pathToFileURL(path.resolve(plan.page)).href;
const report = { keys: [], addresses: [], screenshots: [], verdicts: [], requests: [], errors: [] };

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  chromiumSandbox: false,
});
try {
  const context = await browser.newContext({ viewport: { width: 1000, height: 1400 },
                                             deviceScaleFactor: 1 });
  const page = await context.newPage();
  page.on("request", (request) => {
    if (request.url().split("#")[0] !== pageUrl) {
      report.requests.push(request.url());
    }
  });
  page.on("console", (message) => {
    if (message.type() === "error") {
      report.errors.push(message.text());
    }
  });
  page.on("pageerror", (error) => report.errors.push(String(error)));

  const shown = async () => ({
    line: await page.textContent("#step-line"),
    position: await page.textContent("#position"),
    address: new URL(page.url()).hash,
  });

  await page.goto(pageUrl);
  report.keys.push({ key: "", ...(await shown()) });
  for (const key of plan.keys ?? []) {
    await page.keyboard.press(key);
    report.keys.push({ key, ...(await shown()) });
  }
  for (const answer of plan.answers ?? []) {
    await page.keyboard.press(answer);
    report.verdicts.push(await page.textContent("#verdict"));
    await page.keyboard.press("q");
  }
  for (const address of plan.addresses ?? []) {
    await page.goto(pageUrl + address);
    report.addresses.push({ address, line: (await shown()).line });
  }
  let n = 0;
  for (const address of plan.screenshots ?? []) {
    await page.goto(pageUrl + address);
    const file = path.join(plan.out, `screenshot-${++n}.png`);
    // The picture's box may start between two pixel rows; the browser draws it from the
    // nearer one.
    const box = await page.locator("#step-picture").boundingBox();
    const clip = { x: Math.round(box.x), y: Math.round(box.y),
                   width: Math.round(box.width), height: Math.round(box.height) };
    await page.screenshot({ path: file, clip });
    report.screenshots.push(file);
  }
  for (const view of plan.views ?? []) {
    await page.goto(pageUrl + view.address);
    await page.screenshot({ path: view.file, fullPage: true });
  }
} finally {
  await browser.close();
}
process.stdout.write(JSON.stringify(report, null, 1) + "\n");
