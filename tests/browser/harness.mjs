// What both browser tests share: the failure list, the command line (sites by module name, a
// screenshot folder), page loading, and the run over every site with its summary and exit status.
import { chromium } from 'playwright-core';
import fs from 'node:fs';
import path from 'node:path';

export const failures = [];
export function check(ok, what) {
  if (!ok) failures.push(what);
  return ok;
}

// Loads url and waits until every image and script has been asked for and answered.
export async function visit(page, url) {
  const response = await page.goto(url, { waitUntil: 'load' });
  await page.waitForLoadState('networkidle');
  return response;
}

// "[--shots DIR] NAME=root ...", NAME one of names.
function parseArgs(argv, names, usage) {
  const sites = [];
  let shots = null;
  for (let i = 0; i < argv.length; ++i) {
    if (argv[i] === '--shots') shots = argv[++i];
    else {
      const [name, root] = argv[i].split('=');
      if (!names.includes(name) || !root) throw new Error(`bad argument ${argv[i]}`);
      sites.push({ name, root: path.resolve(root) });
    }
  }
  if (sites.length === 0) throw new Error(`usage: ${usage}`);
  return { sites, shots };
}

// Runs checkSite(browser, site, shots) for every site of the command line in Debian's Chromium,
// then prints the summary headed title and ends the process with status 1 on any failure.
export async function runSites(title, names, usage, checkSite) {
  const { sites, shots } = parseArgs(process.argv.slice(2), names, usage);
  if (shots) fs.mkdirSync(shots, { recursive: true });
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    for (const site of sites) await checkSite(browser, site, shots);
  } finally {
    await browser.close();
  }
  if (failures.length > 0) {
    console.log(`${title}: ${failures.length} failure(s)`);
    for (const f of failures) console.log(`  ${f}`);
    process.exit(1);
  }
  console.log(`${title}: ${sites.map((s) => s.name).join(' and ')} sites passed${shots ? ` (screenshots in ${shots})` : ''}`);
}
