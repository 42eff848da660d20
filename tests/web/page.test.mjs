// The page in headless Chromium: it draws, its choices show, stay and are
// overridden by the address, a broken address leaves it running, and the
// saver view ends on the input that ends the Windows saver.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { canvasPixels, difference, meanColour, newPage, openBrowser, pageDir, serve, waitForScene } from "./browser.mjs";

let server, browser;
before(async () => {
    server = await serve();
    browser = await openBrowser();
});
after(async () => {
    await browser.close();
    server.close();
});

// A fresh page at the address, its storage emptied first.
async function visit(query = "", { keepStorage = false } = {}) {
    const page = await newPage(browser);
    if (!keepStorage) {
        await page.goto(server.url);
        await page.evaluate(() => localStorage.clear());
        page.messages.length = 0;
    }
    await page.goto(server.url + query);
    await waitForScene(page);
    return page;
}

const problems = page => page.messages.filter(m => m.type === "error" || m.type === "pageerror");

async function assertMoving(page) {
    const first = await canvasPixels(page);
    await page.waitForTimeout(400);
    const second = await canvasPixels(page);
    assert.ok(Math.max(...meanColour(first)) > 20, "the canvas is black");
    assert.ok(difference(first, second) > 0.5, "the scene does not move");
}

// Still parts: no drops, the character standing, so that only the background differs.
const still = "sangrante=0&efectoulmo=0";

describe("the plain view", () => {
    test("draws the moving scene with no error on the console", async () => {
        const page = await visit();
        await assertMoving(page);
        assert.deepEqual(problems(page), []);
    });

    test("each background shows a picture of its own", async () => {
        const means = [];
        for (const background of [0, 2, 3, 4]) {
            const page = await visit(`?imagenfondo=${background}&efecto=0&sombra=0&${still}`);
            means.push({ background, colour: meanColour(await canvasPixels(page)) });
        }
        for (const a of means)
            for (const b of means.filter(other => other.background > a.background)) {
                const distance = Math.hypot(...a.colour.map((value, channel) => value - b.colour[channel]));
                assert.ok(distance > 3, `backgrounds ${a.background} and ${b.background} look alike`);
            }
    });

    test("each effect moves the background its own way; the static one holds still", async () => {
        const pictures = [];
        for (let effect = 0; effect < 7; ++effect) {
            const page = await visit(`?efecto=${effect}&sombra=0&${still}`);
            const first = await canvasPixels(page);
            await page.waitForTimeout(300);
            const moved = difference(first, await canvasPixels(page));
            if (effect === 0)
                assert.ok(moved < 0.05, `the static background moved by ${moved}`);
            else
                assert.ok(moved > 0.05, `effect ${effect} does not move`);
            pictures.push(first);
        }
        for (let a = 1; a < 7; ++a)
            for (let b = a + 1; b < 7; ++b)
                assert.ok(difference(pictures[a], pictures[b]) > 0.5, `effects ${a} and ${b} look alike`);
    });

    test("the shading tints the background with its colour", async () => {
        const base = `?efecto=1&rojosombra=255&verdesombra=0&azulsombra=0&${still}`;
        const plain = meanColour(await canvasPixels(await visit(base + "&sombra=0")));
        const tinted = meanColour(await canvasPixels(await visit(base + "&sombra=1")));
        assert.ok(tinted[1] < plain[1] * 0.8, `green ${tinted[1]} is not tinted away from ${plain[1]}`);
        assert.ok(tinted[0] > tinted[1], "the tint is not red");
    });

    test("a choice in the panel changes the running scene at once", async () => {
        const page = await visit(`?efecto=2&sombra=0&${still}`);
        await assertMoving(page);
        await page.selectOption("[data-setting=efecto]", "0");
        await page.waitForTimeout(200);
        const first = await canvasPixels(page);
        await page.waitForTimeout(300);
        assert.ok(difference(first, await canvasPixels(page)) < 0.05, "the background still moves");
    });

    test("the panel offers the dialogs' captions, and a choice stays after a reload", async () => {
        const page = await visit();
        const captions = await page.locator("[data-setting=efecto] option").allTextContents();
        assert.equal(captions.length, 7);
        assert.ok(captions.includes("La casa de los espejos (Parte 2)"));
        assert.ok(captions.includes("ondulacion de arriba a abajo"));
        await page.selectOption("[data-setting=efecto]", "5");
        await page.fill("[data-setting=numeroparticulas]", "20000");
        await page.locator("[data-setting=numeroparticulas]").dispatchEvent("change");
        await page.reload();
        await waitForScene(page);
        assert.equal(await page.inputValue("[data-setting=efecto]"), "5");
        assert.equal(await page.inputValue("[data-setting=numeroparticulas]"), "9999");
        assert.equal(await page.evaluate(() => localStorage.getItem("norwyn.efecto")), "5");
        await page.click("#defaults");
        assert.equal(await page.inputValue("[data-setting=efecto]"), "2");
        assert.equal(await page.evaluate(() => localStorage.getItem("norwyn.numeroparticulas")), "200");
    });
});

describe("the address", () => {
    test("overrides a choice without storing it, and holds a value to its range", async () => {
        const page = await visit("?efecto=4&numeroparticulas=20000");
        assert.equal(await page.inputValue("[data-setting=efecto]"), "4");
        assert.equal(await page.inputValue("[data-setting=numeroparticulas]"), "9999");
        assert.equal(await page.evaluate(() => localStorage.getItem("norwyn.efecto")), null);
        assert.ok(page.messages.some(m => m.type === "warning" && m.text.includes("numeroparticulas wants 0..9999")));
    });

    test("fps=1 draws the frame rate in the lower-left corner", async () => {
        const corner = ({ width, height, rgb }) => {
            let total = 0;
            for (let y = height - 30; y < height; ++y)
                for (let x = 0; x < 120 * 3; ++x)
                    total += rgb[(y * width) * 3 + x];
            return total / (30 * 120 * 3);
        };
        const query = `?efecto=0&sombra=0&${still}`;
        const without = corner(await canvasPixels(await visit(query)));
        const withRate = corner(await canvasPixels(await visit(query + "&fps=1")));
        assert.ok(Math.abs(withRate - without) > 2, `the corner is ${withRate} with the rate, ${without} without`);
    });

    // clang-format off
    const broken = [
        ["a word for a number", "?efecto=abc", "efecto wants"],
        ["a negative count", "?numeroparticulas=-5", "numeroparticulas wants 0..9999"],
        ["a value of 5,000 characters", "?efecto=" + "7".repeat(5000), "efecto wants"],
        ["bad percent-encoding", "?efecto=%zz&imagenfondo=%E0%A4%A", "efecto wants"],
        ["a line break smuggled in", "?efecto=1%0Aimagenfondo=3", "efecto wants"],
    ];
    for (const [what, query, told] of broken)
        test(`keeps a running scene under ${what}`, async () => {
            const page = await visit(query);
            await assertMoving(page);
            assert.deepEqual(problems(page), []);
            assert.ok(page.messages.some(m => m.text.includes(told)), `nothing on the console says "${told}"`);
        });
});

describe("the saver view", () => {
    // clang-format off
    const endings = [
        ["a key", page => page.keyboard.press("a")],
        ["a click", page => page.mouse.click(300, 200)],
        ["a scroll", page => page.mouse.wheel(0, 100)],
        ["an 80 px move", async page => { await page.mouse.move(300, 200); await page.mouse.move(380, 200); }],
    ];
    for (const [what, act] of endings)
        test(`ends on ${what}, stores "frames" and shows the plain view`, async () => {
            const page = await visit("?saver&efecto=3");
            assert.equal(await page.evaluate(() => document.body.className), "saver");
            await page.waitForTimeout(500);
            await act(page);
            await page.waitForFunction(() => document.body.className === "plain", null, { timeout: 5000 });
            assert.equal(new URL(page.url()).search, "?efecto=3");
            const stored = Number(await page.evaluate(() => localStorage.getItem("norwyn.frames")));
            assert.ok(stored > 0, `"frames" stored as ${stored}`);
            assert.equal(await page.textContent("#frames"), stored.toFixed(2));
            await assertMoving(page);
        });

    test("goes on after a 10 px move", async () => {
        const page = await visit("?saver");
        await page.mouse.move(300, 200);
        await page.mouse.move(310, 200);
        await page.waitForTimeout(500);
        assert.equal(await page.evaluate(() => document.body.className), "saver");
        assert.equal(await page.evaluate(() => localStorage.getItem("norwyn.frames")), null);
    });
});

test("the one-file page draws from file://", async () => {
    const page = await newPage(browser);
    await page.goto(pathToFileURL(join(pageDir, "file/index.html")).href);
    await waitForScene(page);
    await assertMoving(page);
    assert.deepEqual(problems(page), []);
});
