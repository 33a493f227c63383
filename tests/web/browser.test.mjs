// Browser tests of the web front end, in Debian's headless Chromium driven by playwright-core.
// VYT_WEB_URL is a "vyt web" serving the sample collector's markup data set; screenshots of
// the main pages go to VYT_SCREENSHOTS.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

const BASE = process.env.VYT_WEB_URL.replace(/\/$/, '');
const SHOTS = process.env.VYT_SCREENSHOTS;
// The markup data set's transaction: its name must show as text and never run.
const MARKUP = '<script>alert(1)</script><img src=x onerror=alert(2)>';

let context, profile;
const dialogs = [];
const consoleErrors = [];

before(async () => {
  profile = mkdtempSync(join(tmpdir(), 'vyt-chromium-'));
  context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: 1280, height: 900 },
  });
  context.on('page', watch);
});

after(async () => {
  await context?.close();
  rmSync(profile, { recursive: true, force: true });
});

function watch(page) {
  page.on('dialog', (d) => { dialogs.push(d.message()); d.dismiss(); });
  page.on('console', (m) => { if (m.type() === 'error') consoleErrors.push(`${page.url()}: ${m.text()}`); });
}

async function open(path) {
  const page = await context.newPage();
  const resp = await page.goto(BASE + path);
  return { page, resp };
}

// The texts of a table's column, found by its heading (without the sort mark).
async function column(scope, heading) {
  const heads = (await scope.locator('thead th').allTextContents()).map((t) => t.replace(/ [▲▼]$/, ''));
  const i = heads.indexOf(heading);
  assert.ok(i >= 0, `no column ${heading} in ${heads}`);
  return scope.locator(`tbody tr td:nth-child(${i + 1})`).allTextContents();
}

async function api(path) {
  const r = await context.request.get(BASE + '/api/reports/' + path);
  assert.equal(r.status(), 200, path);
  return r.json();
}

test('overview to a transaction to a path detail shows the sample data', async () => {
  const { page } = await open('/');
  assert.equal(await page.locator('.tile').count(), 6);
  await page.locator('#transactions').getByRole('link', { name: 'checkout', exact: true }).click();
  assert.equal(await page.locator('h1').textContent(), 'Transaction checkout');
  assert.equal(await page.locator('svg.chart rect.c0').count(), 1 + 3, 'legend and one network bar per path');
  await page.locator('ul.paths a', { hasText: 'Path 1:' }).click();
  assert.match(await page.locator('h1').textContent(),
    /^Path 1 of checkout: branch-clients\.example\.test → web-01\.example\.test$/);
  const sec = page.locator('section#response-time-detail');
  const addresses = await column(sec, 'Path source address');
  assert.deepEqual(addresses, ['10.20.0.15', '10.20.0.16', '10.20.0.99']);
  // Every number on the page is the collector's, as the JSON form of the same report has it,
  // written with thousands separators and its unit.
  const json = await api('response-time-detail?tran=checkout&path=1&view=VIEW_DISTRIBUTIONS');
  const shown = (n, unit) => n.toLocaleString('en-US') + (unit ? ' ' + unit : '');
  for (const [name, unit] of [['pathTotRespTimeAvg', 'ms'], ['pathTotRespTimeMax', 'ms'], ['Group1Ct'],
    ['GroupAllCt'], ['tranTotalCtSum']]) {
    assert.equal(await sec.locator(`dl.header dd[data-name=${name}]`).textContent(),
      shown(json.setData[name], unit), name);
  }
  const totals = await column(sec, 'Path total response time');
  assert.deepEqual(totals, json.entries.map((e) => shown(e.pathTotRespTime, 'ms')));
  const counts = await page.locator('svg.histogram').first().locator('text.count').allTextContents();
  assert.deepEqual(counts, ['Group1Ct', 'Group2Ct', 'Group3Ct', 'Group4Ct'].map((g) => shown(json.setData[g])));
  await page.close();
});

test('a URL rule added through the form is listed, then removed', async () => {
  const { page } = await open('/rules?tran=login');
  const url = '/browser-test/<i>';
  await page.locator('form[data-op=add] input[name=sub]').fill(url);
  await page.locator('form[data-op=add] select[name=type]').selectOption('exclude');
  await page.locator('form[data-op=add] button').click();
  assert.match(await page.locator('#result').textContent(), /Add a URL rule: return code 0 \(done\)/);
  const row = page.locator('#rules tbody tr', { has: page.locator('td.url', { hasText: url }) });
  assert.equal(await row.count(), 1);
  assert.deepEqual(await row.locator('td').nth(2).textContent(), 'exclude');
  // The change was redirected to a GET: reloading shows the list again and adds nothing.
  assert.match(page.url(), /\/rules\?tran=login&done=add$/);
  await page.reload();
  assert.equal(await row.count(), 1);
  // The same URL again: the collector refuses it, and the page says why with 422.
  await page.locator('form[data-op=add] input[name=sub]').fill(url);
  const [refused] = await Promise.all([page.waitForResponse((r) => r.request().method() === 'POST'),
    page.locator('form[data-op=add] button').click()]);
  assert.equal(refused.status(), 422);
  assert.match(await page.locator('#result').textContent(), /return code 2 \(another rule has that URL\)/);
  // Chromium reports the 422 as a failed load on the console: expected here, and only here.
  const expected = consoleErrors.findIndex((e) => / 422 /.test(e) && e.includes('/rules:'));
  assert.ok(expected >= 0, 'the refused change shows as 422');
  consoleErrors.splice(expected, 1);
  // Removing asks first, on a page of its own.
  await row.locator('form[data-op=remove] button').click();
  assert.match(await page.locator('h1').textContent(), /^Remove URL rule \d+ of login\?$/);
  await page.locator('form[data-op=remove] button').click();
  assert.match(await page.locator('#result').textContent(), /Remove a URL rule: return code 0 \(done\)/);
  assert.equal(await page.locator('td.url', { hasText: url }).count(), 0);
  await page.close();
});

test('a rule change without the session token is refused and changes nothing', async () => {
  const { page } = await open('/rules?tran=login');
  const before = await page.locator('#rules td.url').allTextContents();
  const form = { op: 'add', tran: 'login', sub: '/forged/', type: 'include', search: 'begins' };
  for (const extra of [{}, { csrf: 'not-the-token' }]) {
    const r = await context.request.post(BASE + '/rules', { form: { ...form, ...extra } });
    assert.equal(r.status(), 403);
  }
  for (const path of ['/reports/add-url-rule?tran=login&sub=/forged/&view=URL_LIST_TYPE_INCLUDE,BEGINS_WITH',
    '/api/reports/add-url-rule?tran=login&sub=/forged/&view=URL_LIST_TYPE_INCLUDE,BEGINS_WITH']) {
    const r = await context.request.get(BASE + path);
    assert.notEqual((await r.text()).includes('return code 0'), true, path);
  }
  await page.reload();
  assert.deepEqual(await page.locator('#rules td.url').allTextContents(), before);
  await page.close();
});

test('markup in collector texts shows as text and never runs', async () => {
  const enc = encodeURIComponent(MARKUP);
  for (const path of ['/', `/transaction?tran=${enc}`, `/rules?tran=${enc}`, `/sub-transactions?tran=${enc}`,
    '/alerts', `/reports/all-transactions`]) {
    const { page, resp } = await open(path);
    assert.equal(resp.status(), 200, path);
    assert.equal(await page.locator('main img, main script, main b').count(), 0, path);
    const text = await page.locator('main').textContent();
    assert.ok(text.includes(MARKUP) || text.includes('<script>alert(3)</script>'), path);
    await page.close();
  }
  const { page } = await open('/');
  assert.equal(await page.locator('#transactions').getByRole('link', { name: MARKUP, exact: true }).count(), 1);
  await page.close();
  assert.deepEqual(dialogs, [], 'no script from the collector ran');
});

test('interval pages refresh every 30 s until switched off', async () => {
  const { page } = await open('/alerts');
  assert.equal(await page.locator('meta[http-equiv=refresh]').getAttribute('content'), '30');
  await page.locator('#refresh-switch').click();
  assert.equal(await page.locator('meta[http-equiv=refresh]').count(), 0);
  assert.match(page.url(), /refresh=off/);
  await page.locator('#refresh-switch').click();
  assert.equal(await page.locator('meta[http-equiv=refresh]').count(), 1);
  await page.close();
});

test('screenshots of the main pages, without console errors', async () => {
  const pages = {
    overview: '/', transaction: '/transaction?tran=checkout', tiers: '/tiers?tran=checkout',
    'server-load': '/server-load?tran=checkout&server=11', flow: '/flow?tran=checkout',
    path: '/path?tran=checkout&path=1', alerts: '/alerts', summary: '/summary?tran=checkout&path=1',
    'sub-transactions': '/sub-transactions?tran=checkout&scroll=8', rules: '/rules?tran=checkout',
    reports: '/reports',
  };
  for (const [name, path] of Object.entries(pages)) {
    const { page, resp } = await open(path);
    assert.equal(resp.status(), 200, path);
    await page.screenshot({ path: join(SHOTS, `${name}.png`), fullPage: name !== 'path' && name !== 'alerts' });
    await page.close();
  }
  assert.deepEqual(consoleErrors, []);
});
