// Headless Chromium for the checks, through playwright-core and Debian's
// chromium: no browser is downloaded.
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

export const DEFAULT_CHROMIUM = process.env.CHROMIUM ?? '/usr/bin/chromium';
const TIMEOUT_MS = 60_000;

// The flags that keep Chromium off this machine's closed network, and that
// make WebGL run on SwiftShader whether or not there is a GPU.
const CHROMIUM_FLAGS = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--force-color-profile=srgb',
];

// Playwright starts Chromium with a new, empty profile of its own. On failure
// prints a FAIL line and exits 1.
export async function launchChromium(executablePath = DEFAULT_CHROMIUM) {
  return chromium.launch({ executablePath, headless: true, args: CHROMIUM_FLAGS }).catch((error) => {
    console.log(`FAIL cannot start ${executablePath}: ${error.message.split('\n')[0]}`);
    process.exit(1);
  });
}

// Opens a viewer page (with the query given, such as '?check=flat') and waits
// until it is ready or has failed. `problems` collects the first line of each
// page error and console error, and the status line of a page that failed.
// `init`, a function, runs in the page before the page's own scripts.
export async function openViewer(browser, pageFile, { width, height, query = '', init }) {
  const page = await browser.newPage({ viewport: { width, height }, deviceScaleFactor: 1 });
  if (init) await page.addInitScript(init);
  const problems = new Set();
  const firstLine = (text) => text.split('\n')[0];
  page.on('pageerror', (error) => problems.add(firstLine(error.message)));
  page.on('console', (message) => message.type() === 'error' && problems.add(firstLine(message.text())));
  await page.goto(`${pathToFileURL(pageFile)}${query}`);
  await page.waitForSelector('html[data-viewer]', { state: 'attached', timeout: TIMEOUT_MS });
  if ((await page.getAttribute('html', 'data-viewer')) !== 'ready') problems.add(await page.textContent('#status'));
  return { page, problems };
}

// Counts passed and failed checks, printing one line for each.
export function createReport() {
  const counts = { passed: 0, failed: 0 };
  const report = (ok, line) => {
    counts[ok ? 'passed' : 'failed']++;
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${line}`);
  };
  report.finish = () => {
    console.log(`${counts.passed} passed, ${counts.failed} failed`);
    process.exit(counts.failed ? 1 : 0);
  };
  return report;
}
