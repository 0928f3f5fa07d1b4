// Opens the generated sites of both programs in headless Chromium, each served by a small static
// server on 127.0.0.1 from its own origin (as a web server would publish the page directory),
// and checks what a visitor gets: every request answered, no console error, the expected title
// (as the browser decodes it from the ISO-8859-1 page) and headings, and every sidebar link
// working from one page of each directory level. Full-page screenshots go to the shots folder.
//
// Usage: node site.test.mjs [--shots DIR] BRK=path/to/html ZLN=path/to/html
import path from 'node:path';
import { check, failures, runSites, visit } from './harness.mjs';
import { serveSite } from './serve.mjs';

const nbsp = '\u00a0';

// The first part of every page title of each program, and whether its matches have a bot
// detection page.
const modules = {
  BRK: { program: 'Scorex for Kelvo Tourney DM for Brakk', detection: true },
  ZLN: { program: 'Scorex for Zolnar', detection: false },
};


// A page with its problems recorded: failed requests, error statuses, console errors and
// uncaught exceptions.
async function openPage(context, label) {
  const page = await context.newPage();
  const problems = [];
  page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()} (${r.failure()?.errorText})`));
  page.on('response', (r) => {
    if (r.status() >= 400) problems.push(`HTTP ${r.status()}: ${r.url()}`);
  });
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push(`console error: ${m.text()}`);
  });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.report = () => {
    for (const p of problems) failures.push(`${label()}: ${p}`);
    problems.length = 0;
  };
  return page;
}

const headings = (page) =>
  page.$$eval('td.aa, td.s', (cells) => cells.map((c) => c.innerText.replace(/\s+/g, ' ').trim()));

async function checkSite(browser, site, shots) {
  const mod = modules[site.name];
  const server = await serveSite(site.root);
  const base = `http://127.0.0.1:${server.address().port}/`;
  const context = await browser.newContext({ viewport: { width: 1024, height: 800 } });
  let where = '';
  const page = await openPage(context, () => `${site.name} ${where}`);

  // Visits one page and checks its title and the headings it must show.
  async function expectPage(key, rel, titlePart, wanted) {
    where = rel;
    const response = await visit(page, base + rel);
    check(response && response.status() === 200, `${site.name} ${rel}: not served`);
    const title = await page.title();
    check(
      title === `${mod.program} ${titlePart}`,
      `${site.name} ${rel}: title "${title}", expected "${mod.program} ${titlePart}"`,
    );
    const shown = await headings(page);
    for (const h of wanted) check(shown.includes(h), `${site.name} ${rel}: no heading "${h}" in [${shown.join(' | ')}]`);
    if (shots) await page.screenshot({ path: path.join(shots, `${site.name}-${key}.png`), fullPage: true });
    page.report();
  }

  await expectPage('main', 'Scorex_Main.html', 'Main', []);
  const mainText = await page.innerText('body');
  check(mainText.includes('Total Frags Logged to Date:'), `${site.name} main: no frag total`);
  check(mainText.includes('Last Game Logged'), `${site.name} main: no last game box`);

  await expectPage('recent', 'Individual_Game_Stats/Recent_Index.html', 'Most Recent', []);
  // Links are relative; the browser resolves them against the page.
  const hrefs = () => page.$$eval('a[href]', (as) => as.map((a) => ({ href: a.href, text: a.innerText })));
  const recent = (await hrefs()).map((a) => a.href).filter((h) => /\/Individual_Game_Stats\/\d+\/index\.html$/.test(h));
  check(recent.length > 0, `${site.name}: the recent index lists no match`);
  const shownCount = await page.$$eval('td.s', (c) => c.map((e) => e.innerText).join(' '));
  check(shownCount.startsWith(`${recent.length} Most Recent`), `${site.name}: recent title "${shownCount}" does not count ${recent.length} matches`);

  // A match of its own: its title names the server and map that its information table shows.
  const matchDir = recent[0].slice(base.length).replace('/index.html', '');
  where = matchDir;
  await visit(page, `${base}${matchDir}/index.html`);
  const info = await page.$$eval('td', (cells) => {
    const value = (label) => {
      const i = cells.findIndex((c) => c.innerText.replace(/\u00a0/g, ' ').trim() === label);
      return i >= 0 && cells[i + 1] ? cells[i + 1].innerText.replace(/\u00a0/g, ' ').trim() : null;
    };
    return { name: value('Match Name'), map: value('Map') };
  });
  check(info.name && info.map, `${site.name} ${matchDir}: no match name or map in its information table`);
  const matchTitle = `${info.name} ${info.map}`;
  const matchHeadings = ['Totals for This Game', 'Match Information', 'Game Summary', 'Kills Match Up'];
  await expectPage('match', `${matchDir}/index.html`, matchTitle, [`Game Index for ${matchTitle}`, ...matchHeadings]);
  await expectPage('match-last', 'Individual_Game_Stats/Last_Game/index.html', 'Last_Game', ['Game Index for Last_Game', ...matchHeadings]);

  // The page of the match's first player, reached through his link on the match index.
  const playerLink = (await hrefs()).map((a) => a.href.slice(base.length)).find((h) => /^Individual_Game_Stats\/Last_Game\/\d+\.html$/.test(h));
  check(playerLink, `${site.name}: the last match links to no player page`);
  if (playerLink) {
    await expectPage('match-player', playerLink, 'Last_Game', ['Match Information', 'Game Summary', 'Player Specific Kills and Deaths']);
    const who = (await headings(page))[0] || '';
    check(who.startsWith('Individual Game Stats for '), `${site.name} ${playerLink}: heading "${who}"`);
  }
  if (mod.detection) {
    await expectPage('detection', 'Individual_Game_Stats/Last_Game/zbot.html', 'Last_Game', ['ZBot List for Last_Game']);
  }

  await expectPage('rankings', 'Total_Game_Stats/Rankings.html', 'Rankings', ['Career Rankings']);
  await expectPage('records', 'Total_Game_Stats/Total_Index.html', 'All Players Combined', ['All Time High Scores', 'Totals Logged', 'Career Highs']);
  await expectPage('players', 'Total_Game_Stats/Player_Index.html', 'By Player Name', []);
  const listed = (await hrefs())
    .filter((a) => /\/Total_Game_Stats\/\d+\.html$/.test(a.href))
    .map((a) => ({ href: a.href.slice(base.length), name: a.text }));
  check(listed.length > 0, `${site.name}: the player list names nobody`);
  // Names with ISO-8859-1 letters must come out as those letters, not as replacement marks.
  check(!listed.some((p) => p.name.includes('\ufffd')), `${site.name}: a player name was decoded wrongly`);

  // A career page: its title is the player's name as the list shows it.
  const career = listed.find((p) => /[^\x00-\x7f]/.test(p.name)) || listed[0];
  if (career) {
    await expectPage('career', career.href, career.name, [`Career Totals for ${career.name}`]);
  }
  await expectPage('all-totals', 'Total_Game_Stats/All_Totals.html', `All${nbsp}Players${nbsp}(Humans${nbsp}and${nbsp}Bots)`, []);

  // Every sidebar link from one page of each level: the site root, the all-time directory and
  // a match directory.
  for (const from of ['Scorex_Main.html', 'Total_Game_Stats/Rankings.html', `${matchDir}/index.html`]) {
    where = from;
    await visit(page, base + from);
    const links = await page.$$eval('td[rowspan="4"] a[href]', (as) => as.map((a) => a.href));
    check(links.length >= 14, `${site.name} ${from}: only ${links.length} sidebar links`);
    for (const link of links) {
      where = `${from} -> ${link}`;
      check(link.startsWith(base), `${site.name} ${from}: sidebar link ${link} leaves the site`);
      const response = await visit(page, link);
      check(response && response.status() === 200, `${site.name} ${from}: sidebar link ${link} is broken`);
      const title = await page.title();
      check(title.length > 0, `${site.name} ${link}: no title`);
      page.report();
    }
  }

  await context.close();
  server.close();
}

await runSites('Browser test', Object.keys(modules), 'site.test.mjs [--shots DIR] BRK=html ZLN=html', checkSite);
