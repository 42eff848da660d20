// Leaves a picture of the page as headless Chromium draws it:
//   node tests/web/screenshot.mjs OUTPUT.png [?address] [seconds]
import { newPage, openBrowser, serve, waitForScene } from "./browser.mjs";

const [output, query = "", seconds = "3"] = process.argv.slice(2);
const server = await serve();
const browser = await openBrowser({ width: 1280, height: 720 });
try {
    const page = await newPage(browser);
    await page.goto(server.url + query);
    await waitForScene(page);
    await page.waitForTimeout(Number(seconds) * 1000);
    await page.screenshot({ path: output });
} finally {
    await browser.close();
    server.close();
}
