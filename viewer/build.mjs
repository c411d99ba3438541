// Bundles the viewer page's script (src/viewer.js and three.js) into one minified file: node build.mjs OUTFILE.
// Through esbuild's API, which finds its platform binary whether or not npm ran its install script.
import { build } from 'esbuild';
import { fileURLToPath } from 'node:url';

const outfile = process.argv[2];
if (!outfile) {
	console.error('usage: node build.mjs OUTFILE');
	process.exit(2);
}
await build({
	entryPoints: [fileURLToPath(new URL('src/viewer.js', import.meta.url))],
	bundle: true,
	minify: true,
	format: 'iife',
	target: 'es2020',
	logLevel: 'warning',
	outfile,
});
