// What a frame of the web page costs in CPU against a frame of norwyn, both at
// 1280x720 on software rendering: the page's saver view in headless Chromium
// (SwiftShader's WebGL), and norwyn --root on an Xvfb of the same size (Mesa).
// Each side is warmed up, then for a fixed window its CPU time (user +
// system, every thread of every process: all of Chromium's, norwyn's own)
// and its frames are counted. The browser's frames are its animation frames,
// one per drawn frame of the page; norwyn's are its swaps, counted by
// bench/swap_counter.c preloaded into it.
//
//   node bench/web_frame_cost.mjs NORWYN SWAP_COUNTER.so [seconds]
//
// The last line reads "browser / native CPU a frame: R".
import { spawn, execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { newPage, openBrowser, serve, waitForScene } from "../tests/web/browser.mjs";

const [program, swapCounter, secondsText = "10"] = process.argv.slice(2);
const seconds = Number(secondsText);
const warmup = 2000;
const ticksPerSecond = Number(execFileSync("getconf", ["CLK_TCK"], { encoding: "utf8" }));
const sleep = milliseconds => new Promise(resolve => setTimeout(resolve, milliseconds));

// A Chromium process's kind, from its --type= (the browser process has none).
function processKind(pid) {
    try {
        const type = readFileSync(`/proc/${pid}/cmdline`, "utf8").match(/--type=([a-z-]+)/);
        return type ? type[1] : "browser";
    } catch {
        return "ended";
    }
}

// CPU seconds of the processes and their descendants, every thread included;
// byKind, when given, gets them summed by processKind.
function cpuSeconds(roots, byKind, countRoots = false) {
    const parents = new Map();
    for (const entry of readdirSync("/proc").filter(name => /^\d+$/.test(name))) {
        try {
            const fields = readFileSync(`/proc/${entry}/stat`, "utf8").replace(/^.*\) /, "").split(" ");
            parents.set(Number(entry), { parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) });
        } catch {
            // ended meanwhile
        }
    }
    const inTree = pid => roots.includes(pid) || (parents.has(pid) && pid > 1 && inTree(parents.get(pid).parent));
    let ticks = 0;
    for (const [pid, { ticks: own }] of parents)
        if (inTree(pid) && (countRoots || !roots.includes(pid))) {
            ticks += own;
            if (byKind)
                byKind.set(processKind(pid), (byKind.get(processKind(pid)) ?? 0) + own / ticksPerSecond);
        }
    return ticks / ticksPerSecond;
}

async function browserSide() {
    const server = await serve();
    const browser = await openBrowser({ width: 1280, height: 720 });
    try {
        const page = await newPage(browser);
        await page.goto(server.url + "?saver");
        await waitForScene(page);
        const renderer = await page.evaluate(() => {
            const gl = document.createElement("canvas").getContext("webgl");
            const info = gl.getExtension("WEBGL_debug_renderer_info");
            return gl.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : gl.RENDERER);
        });
        await page.evaluate(() => {
            window.benchFrames = 0;
            const count = () => { ++window.benchFrames; requestAnimationFrame(count); };
            requestAnimationFrame(count);
        });
        await sleep(warmup);
        // Chromium's processes are this process's descendants; Node's own CPU is left out.
        const kindsBefore = new Map(), kindsAfter = new Map();
        const cpuBefore = cpuSeconds([process.pid], kindsBefore);
        const framesBefore = await page.evaluate(() => window.benchFrames);
        await sleep(seconds * 1000);
        const framesAfter = await page.evaluate(() => window.benchFrames);
        const cpuAfter = cpuSeconds([process.pid], kindsAfter);
        const kinds = [...kindsAfter].map(([kind, after]) => `${kind} ${(after - (kindsBefore.get(kind) ?? 0)).toFixed(2)} s`);
        return { renderer, frames: framesAfter - framesBefore, cpu: cpuAfter - cpuBefore, kinds };
    } finally {
        await browser.close();
        server.close();
    }
}

async function nativeSide() {
    const work = mkdtempSync(join(tmpdir(), "norwyn-web-bench-"));
    const counter = join(work, "swaps");
    writeFileSync(counter, Buffer.alloc(8));
    const display = ":" + (90 + (process.pid % 100));
    const xvfb = spawn("Xvfb", [display, "-screen", "0", "1280x720x24", "-nolisten", "tcp"], { stdio: "ignore" });
    await sleep(1000);
    const environment = { ...process.env, DISPLAY: display, XDG_CONFIG_HOME: work, LD_PRELOAD: swapCounter,
                          NORWYN_SWAP_COUNT: counter };
    delete environment.WAYLAND_DISPLAY;
    const norwyn = spawn(program, ["--root"], { env: environment, stdio: "ignore" });
    try {
        await sleep(warmup);
        const swaps = () => Number(readFileSync(counter).readBigUInt64LE(0));
        const cpuBefore = cpuSeconds([norwyn.pid], null, true);
        const framesBefore = swaps();
        await sleep(seconds * 1000);
        const frames = swaps() - framesBefore;
        const cpu = cpuSeconds([norwyn.pid], null, true) - cpuBefore;
        let renderer = "Mesa on Xvfb (no GPU)";
        try {
            renderer = execFileSync("glxinfo", ["-B"], { env: environment, encoding: "utf8" })
                           .match(/OpenGL renderer string: (.*)/)[1];
        } catch {
            // glxinfo is not installed; Xvfb has only Mesa's software rasterizers
        }
        return { renderer, frames, cpu };
    } finally {
        norwyn.kill("SIGTERM");
        xvfb.kill("SIGTERM");
        rmSync(work, { recursive: true, force: true });
    }
}

const report = (side, { renderer, frames, cpu }) =>
    console.log(`${side}: ${(frames / seconds).toFixed(1)} frames a second, ` +
                `${((cpu / Math.max(frames, 1)) * 1000).toFixed(2)} ms CPU a frame (${renderer})`);
const browser = await browserSide();
const native = await nativeSide();
report("browser", browser);
console.log(`  the browser's CPU by process: ${browser.kinds.join(", ")}`);
report("native ", native);
const ratio = (browser.cpu / Math.max(browser.frames, 1)) / (native.cpu / Math.max(native.frames, 1));
console.log(`browser / native CPU a frame: ${ratio.toFixed(2)}`);
