// Checks a glTF file with the Khronos glTF validator: node validate-gltf.mjs FILE. Prints every issue, one per line,
// and exits with 1 when there is an error or a warning, 2 when the file cannot be read.
import { validateBytes } from 'gltf-validator';
import { readFileSync } from 'node:fs';

const file = process.argv[2];
let bytes;
try {
	bytes = new Uint8Array(readFileSync(file));
} catch (error) {
	console.error(`${file}: ${error.message}`);
	process.exit(2);
}
const report = await validateBytes(bytes, { maxIssues: 100 });
const severities = ['error', 'warning', 'info', 'hint'];
for (const message of report.issues.messages) {
	console.log(`${severities[message.severity]} ${message.code} at ${message.pointer ?? '?'}: ${message.message}`);
}
const { numErrors, numWarnings } = report.issues;
console.log(`${numErrors} errors, ${numWarnings} warnings`);
process.exit(numErrors > 0 || numWarnings > 0 ? 1 : 0);
