// The same scene as the native build: scene_replay, built natively and as
// WebAssembly for Node, runs the same frames under the same scripted frame
// times and settings; every printed value must match bit for bit.
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { join } from "node:path";
import { repoRoot } from "./browser.mjs";

const native = join(repoRoot, "build/linux/tests/web/scene_replay");
const wasm = join(repoRoot, "build/web/tests/web/scene_replay.js");

// Where a value comes from, to name the cause of a difference.
const causes = [
    [/^(smoothedFps|frames|phase)/, "the frame-rate average and phase (double arithmetic, fmod)"],
    [/^pulse/, "the pulse's single-precision arithmetic"],
    [/^(character|chaser)/, "the movement (sin and cos of the C library: glibc natively, musl in WebAssembly)"],
    [/^drops/, "the number of drops the pool follows"],
    [/^drop\[/, "the drops' motion (the random numbers, or sqrt and atan2 of the C library)"],
];

// clang-format off
const runs = [
    ["the defaults", ["600"]],
    ["the chase with 500 drops", ["900", "efectoulmo=3", "numeroparticulas=500"]],
    ["the hypnotic movement, stretching, wide drops", ["900", "efectoulmo=2", "efecto=6", "tamaxparticulas=0.1"]],
    ["the sideways movement without blood", ["300", "efectoulmo=1", "sangrante=0"]],
];

for (const [what, args] of runs)
    test(`WebAssembly and native leave the same scene: ${what}`, () => {
        const expected = execFileSync(native, args, { encoding: "utf8" }).trim().split("\n");
        const actual = execFileSync("node", [wasm, ...args], { encoding: "utf8" }).trim().split("\n");
        assert.ok(expected.length > 10, "the native replay printed too little");
        const differing = [];
        for (let line = 0; line < Math.max(expected.length, actual.length); ++line)
            if (expected[line] !== actual[line])
                differing.push(`${expected[line] ?? "(nothing)"} natively, ${actual[line] ?? "(nothing)"} in WebAssembly`);
        if (differing.length) {
            const name = differing[0].split(" ")[0];
            const cause = causes.find(([pattern]) => pattern.test(name))?.[1] ?? "an unknown step";
            assert.fail(`${differing.length} values differ; first ${differing[0]}; it comes from ${cause}`);
        }
    });
