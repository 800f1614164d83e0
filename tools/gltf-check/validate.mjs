// Checks glb files as the programs that import them would: the Khronos glTF validator must find
// no errors and no warnings, and assimp must read back as many triangles as the validator counts.
// Prints each file's counts, with every error and warning; fails when any file falls short.
// Usage: node validate.mjs FILE.glb...
import { execFileSync } from 'node:child_process';
import { readFile } from 'node:fs/promises';
import validator from 'gltf-validator';

// The triangle count of `assimp info`'s summary; assimp refuses a file without meshes.
function assimpTriangles(path) {
    try {
        const summary = execFileSync('assimp', ['info', path], { encoding: 'utf8', stdio: 'pipe' });
        const faces = summary.match(/^Faces:\s+(\d+)/m);
        return faces ? Number(faces[1]) : 0;
    } catch (error) {
        return 0;
    }
}

let failed = false;
for (const path of process.argv.slice(2)) {
    const bytes = new Uint8Array(await readFile(path));
    const report = await validator.validateBytes(bytes, { maxIssues: 100 });
    const { numErrors, numWarnings, numInfos, numHints, messages } = report.issues;
    const triangles = report.info.totalTriangleCount ?? 0;
    const assimp = assimpTriangles(path);
    console.log(`${path}: ${numErrors} errors, ${numWarnings} warnings, ${numInfos} infos, ` +
                `${numHints} hints; ${triangles} triangles, assimp reads ${assimp}`);
    for (const message of messages) {
        if (message.severity > 1) continue;  // 0: error, 1: warning
        console.log(`  ${message.code} at ${message.pointer}: ${message.message}`);
    }
    failed ||= numErrors > 0 || numWarnings > 0 || assimp !== triangles;
}
process.exit(failed ? 1 : 0);
