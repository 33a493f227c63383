// One operator's journey through the trend pages: pick a range, compare with the day before, sort,
// filter, download a table as CSV, then see the stale banner once the collector stops and see it
// go when the collector is back. journey.sh starts the collector and the front end.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, readFileSync, writeFileSync } from 'node:fs';
import { spawn } from 'node:child_process';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

const BASE = process.env.VYT_WEB_URL.replace(/\/$/, '');
const SHOTS = process.env.VYT_SCREENSHOTS;
let context, profile;

before(async () => {
  profile = mkdtempSync(join(tmpdir(), 'vyt-journey-'));
  context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, acceptDownloads: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
    viewport: { width: 1280, height: 900 },
  });
});

after(async () => {
  await context?.close();
  rmSync(profile, { recursive: true, force: true });
});

/** The texts of one column of a table, by its heading's text. */
async function column(page, tableId, heading) {
  const heads = await page.locator(`#${tableId} thead th`).allTextContents();
  const i = heads.findIndex((h) => h.startsWith(heading));
  assert.ok(i >= 0, `${tableId} has no column ${heading}: ${heads}`);
  return page.locator(`#${tableId} tbody tr td:nth-child(${i + 1})`).allTextContents();
}

const number = (s) => Number(s.replace(/[^0-9.-]/g, ''));

async function waitFor(page, url, selector, present, seconds) {
  for (let t = 0; t < seconds * 2; t++) {
    await page.goto(url);
    if ((await page.locator(selector).count() > 0) === present) return;
    await page.waitForTimeout(500);
  }
  assert.fail(`${selector} ${present ? 'never appeared' : 'never went'} on ${url} within ${seconds} s`);
}

test('range, comparison, sort, filter and CSV on a trend page; stale and back', async () => {
  const page = await context.newPage();
  await page.goto(BASE + '/trend?tran=checkout');
  assert.match(await page.locator('h1').textContent(), /checkout/);
  assert.ok(await page.locator('figure.trend-chart svg').count() >= 1, 'a chart');

  // A range: the link becomes the current one and the page reads it.
  await page.locator('nav.trend-ranges a', { hasText: '6 h' }).click();
  assert.match(page.url(), /range=6h/);
  assert.equal(await page.locator('nav.trend-ranges [aria-current=page]').textContent(), '6 h');

  // The same range a day earlier, overlaid: named in the legend and as a column.
  await page.selectOption('form.trend-form select[name=compare]', 'day');
  await page.locator('form.trend-form button[type=submit]').click();
  assert.match(page.url(), /compare=day/);
  assert.match(await page.locator('.trend-legend').first().textContent(), /a day earlier/);
  const earlier = await page.locator('#trend-points thead th').allTextContents();
  assert.ok(earlier.some((h) => /day earlier/i.test(h)), `a column for the day before: ${earlier}`);
  const u = new URL(page.url());
  assert.equal((Date.parse(u.searchParams.get('to')) - Date.parse(u.searchParams.get('from'))) / 3600e3, 6,
    'the form keeps the 6 hours on show');

  // Sort by the total, then the other way round.
  await page.locator('details.trend-table summary').first().click();
  await page.locator('#trend-points thead a', { hasText: /^Total/ }).first().click();
  assert.match(page.url(), /sort=total/);
  const up = (await column(page, 'trend-points', 'Total')).filter((s) => /[0-9]/.test(s)).map(number);
  assert.ok(up.length > 10, 'rows with a total');
  assert.deepEqual(up, [...up].sort((a, b) => a - b));
  await page.locator('#trend-points thead a', { hasText: /^Total/ }).first().click();
  assert.match(page.url(), /dir=desc/);
  const down = (await column(page, 'trend-points', 'Total')).filter((s) => /[0-9]/.test(s)).map(number);
  assert.deepEqual(down, [...up].reverse());

  // Filter: only the generated sample rows, and the sort stays.
  await page.fill('form.filter input[name=q]', 'sample');
  await page.locator('form.filter button').click();
  assert.match(page.url(), /q=sample/);
  assert.match(page.url(), /sort=total/);
  const marks = await column(page, 'trend-points', 'Sample');
  assert.ok(marks.length > 0 && marks.every((m) => m === 'sample'), `only sample rows: ${marks.slice(0, 5)}`);

  // The table as CSV: the rows on show, in their order.
  const [download] = await Promise.all([
    page.waitForEvent('download'),
    page.locator('#trend-points ~ p.download a, #trend-points + p.download a').first().click(),
  ]);
  const csv = readFileSync(await download.path(), 'utf8').trim().split('\r\n');
  assert.match(csv[0], /^Start .*Total \(ms\)/);
  assert.equal(csv.length - 1, marks.length, 'one CSV line per row shown');
  const totals = await column(page, 'trend-points', 'Total');
  const i = csv[0].split(',').findIndex((h) => h.startsWith('Total'));
  assert.deepEqual(csv.slice(1).map((l) => l.split(',')[i]).slice(0, 5),
    totals.slice(0, 5).map((t) => t.replace(/"/g, '')));

  // No horizontal scrolling at 1,280 pixels; the chart fits a 390-pixel phone.
  await page.goto(BASE + '/trend?tran=checkout&range=24h');
  if (SHOTS) await page.screenshot({ path: join(SHOTS, 'trend.png'), fullPage: false });
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth), 'fits 1,280 px');
  await page.setViewportSize({ width: 390, height: 844 });
  await page.reload();
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth), 'fits 390 px');
  const chart = await page.locator('figure.trend-chart svg').first().boundingBox();
  assert.ok(chart.x >= 0 && chart.x + chart.width <= 390, `chart within 390 px: ${JSON.stringify(chart)}`);
  await page.setViewportSize({ width: 1280, height: 900 });

  // The collector stops: after two intervals a page seen before says its data is stale and keeps it on show.
  await page.goto(BASE + '/transaction?tran=checkout');
  assert.equal(await page.locator('p.stale').count(), 0, 'fresh while the collector answers');
  process.kill(Number(process.env.VYT_COLLECTOR_PID));
  await waitFor(page, BASE + '/transaction?tran=checkout', 'p.stale', true, 20);
  assert.ok(await page.locator('table').count() > 0, 'the last good data stays on show');
  // It comes back on the same port: the banner goes by itself.
  const cmd = process.env.VYT_COLLECTOR_CMD.split('\n');
  const again = spawn(cmd[0], cmd.slice(1), { stdio: 'ignore', detached: false });
  writeFileSync(process.env.VYT_COLLECTOR_PIDFILE, String(again.pid));
  await waitFor(page, BASE + '/transaction?tran=checkout', 'p.stale', false, 20);
  assert.match(await page.locator('.updated').textContent(), /updated \d+ s ago/);
  again.kill();
  await page.close();
});
