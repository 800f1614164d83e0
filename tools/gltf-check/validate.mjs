// Validates glb files with the Khronos glTF validator: prints each file's counts of errors,
// warnings, infos and hints, with every error and warning, and fails when any file has one.
// Usage: node validate.mjs FILE.glb...
import { readFile } from 'node:fs/promises';
import validator from 'gltf-validator';

let failed = false;
for (const path of process.argv.slice(2)) {
    const bytes = new Uint8Array(await readFile(path));
    const report = await validator.validateBytes(bytes, { maxIssues: 100 });
    const { numErrors, numWarnings, numInfos, numHints, messages } = report.issues;
    console.log(`${path}: ${numErrors} errors, ${numWarnings} warnings, ${numInfos} infos, ` +
                `${numHints} hints`);
    for (const message of messages) {
        if (message.severity > 1) continue;  // 0: error, 1: warning
        console.log(`  ${message.code} at ${message.pointer}: ${message.message}`);
    }
    failed ||= numErrors > 0 || numWarnings > 0;
}
process.exit(failed ? 1 : 0);
