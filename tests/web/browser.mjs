// What the page tests share: the page served from build/web by a small
// static server on 127.0.0.1, Debian's Chromium started headless on its
// software WebGL with a fresh profile, and the canvas read back as pixels.
import { chromium } from "playwright-core";
import { createServer } from "node:http";
import { mkdtempSync, readFileSync, rmSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import { inflateSync } from "node:zlib";

export const repoRoot = new URL("../..", import.meta.url).pathname;
export const pageDir = join(repoRoot, "build/web");

const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm" };

// Serves the files of root; anything else is a 404.
export async function serve(root = pageDir) {
    const server = createServer((request, response) => {
        const path = normalize(join(root, decodeURIComponent(new URL(request.url, "http://x").pathname)));
        try {
            if (!path.startsWith(root) || !statSync(path).isFile())
                throw new Error("no file");
            response.writeHead(200, { "Content-Type": types[extname(path)] ?? "application/octet-stream" });
            response.end(readFileSync(path));
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise(resolve => server.listen(0, "127.0.0.1", resolve));
    return { url: `http://127.0.0.1:${server.address().port}/index.html`, close: () => server.close() };
}

export const chromiumArgs = [
    "--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--no-sandbox",
    "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
];

// A browser with a profile of its own, so that localStorage starts empty.
export async function openBrowser({ width = 800, height = 450 } = {}) {
    const profile = mkdtempSync(join(tmpdir(), "norwyn-chromium-"));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: "/usr/bin/chromium", headless: false, args: chromiumArgs,
        viewport: { width, height },
    });
    return {
        context,
        async close() {
            await context.close();
            rmSync(profile, { recursive: true, force: true });
        },
    };
}

// A page with every console message and uncaught error kept.
export async function newPage(browser) {
    const page = browser.context.pages()[0] ?? (await browser.context.newPage());
    page.messages = [];
    page.on("console", message => page.messages.push({ type: message.type(), text: message.text() }));
    page.on("pageerror", error => page.messages.push({ type: "pageerror", text: String(error) }));
    return page;
}

export async function waitForScene(page) {
    await page.waitForFunction(() => typeof Module !== "undefined" && Module.calledRun &&
                                     document.body.className !== "", null, { timeout: 20000 });
    await page.waitForTimeout(300);
}

// The canvas as { width, height, rgb }, from a screenshot of it.
export async function canvasPixels(page) {
    return decodePng(await page.locator("#canvas").screenshot());
}

export function meanColour({ rgb }) {
    const sum = [0, 0, 0];
    for (let index = 0; index < rgb.length; index += 3)
        for (let channel = 0; channel < 3; ++channel)
            sum[channel] += rgb[index + channel];
    return sum.map(total => total / (rgb.length / 3));
}

// The mean absolute difference of two pictures of one size, 0..255.
export function difference(a, b) {
    let total = 0;
    for (let index = 0; index < a.rgb.length; ++index)
        total += Math.abs(a.rgb[index] - b.rgb[index]);
    return total / a.rgb.length;
}

// An 8-bit RGB or RGBA PNG without interlacing, as Chromium writes them.
export function decodePng(png) {
    let offset = 8, width = 0, height = 0, channels = 0;
    const data = [];
    while (offset < png.length) {
        const length = png.readUInt32BE(offset);
        const type = png.toString("ascii", offset + 4, offset + 8);
        const body = png.subarray(offset + 8, offset + 8 + length);
        if (type === "IHDR") {
            width = body.readUInt32BE(0);
            height = body.readUInt32BE(4);
            channels = { 2: 3, 6: 4 }[body[9]];
            if (body[8] !== 8 || !channels || body[12] !== 0)
                throw new Error("a PNG other than 8-bit RGB(A) without interlacing");
        } else if (type === "IDAT") {
            data.push(body);
        }
        offset += 12 + length;
    }
    const raw = inflateSync(Buffer.concat(data));
    const stride = width * channels;
    const rows = Buffer.alloc(stride * height);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        for (let x = 0; x < stride; ++x) {
            const value = raw[y * (stride + 1) + 1 + x];
            const left = x >= channels ? rows[y * stride + x - channels] : 0;
            const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
            const upLeft = x >= channels && y > 0 ? rows[(y - 1) * stride + x - channels] : 0;
            const paeth = () => {
                const p = left + up - upLeft;
                const [pa, pb, pc] = [Math.abs(p - left), Math.abs(p - up), Math.abs(p - upLeft)];
                return pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
            };
            const predicted = [0, left, up, (left + up) >> 1, filter === 4 ? paeth() : 0][filter];
            rows[y * stride + x] = (value + predicted) & 0xff;
        }
    }
    const rgb = Buffer.alloc(width * height * 3);
    for (let pixel = 0; pixel < width * height; ++pixel)
        rows.copy(rgb, pixel * 3, pixel * channels, pixel * channels + 3);
    return { width, height, rgb };
}
