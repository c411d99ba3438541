// The qvrig viewer: plays the binary glTF file embedded in the page (the element #qv-model, base64) with three.js.
// The page needs no server: qvrig view inlines this script, bundled with three.js, and the file.
//
// The page reports its state on <body data-status>: "loading", "ready" once the first frame is drawn, "no-webgl"
// when the browser cannot draw WebGL, or "error: ..." when the file cannot be shown. "?frame=N" in the address
// opens it paused at frame N.
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';
import { OrbitControls } from 'three/addons/controls/OrbitControls.js';

const Background = 0x25272c;

function setStatus(status) {
	document.body.dataset.status = status;
}

function addStyle() {
	const style = document.createElement('style');
	style.textContent = `
		html, body { margin: 0; height: 100%; overflow: hidden; background: #25272c; color: #e6e6e6;
			font: 13px/1.4 system-ui, sans-serif; }
		#qv-bar { position: fixed; left: 0; right: 0; bottom: 0; display: flex; gap: 10px; align-items: center;
			padding: 8px 12px; background: rgba(20, 21, 24, 0.85); }
		#qv-bar button { min-width: 64px; }
		#qv-slider { flex: 1; }
		#qv-info { position: fixed; left: 12px; top: 10px; white-space: pre; pointer-events: none; }
		#qv-message { position: fixed; inset: 0; display: flex; align-items: center; justify-content: center;
			padding: 24px; text-align: center; }
	`;
	document.head.appendChild(style);
}

function decodeModel() {
	const element = document.getElementById('qv-model');
	if (!element) {
		throw new Error('the page holds no model (#qv-model)');
	}
	const text = atob(element.textContent.trim());
	const bytes = new Uint8Array(text.length);
	for (let index = 0; index < text.length; ++index) {
		bytes[index] = text.charCodeAt(index);
	}
	return { buffer: bytes.buffer, name: element.dataset.name || 'rig' };
}

function showMessage(text) {
	const message = document.createElement('div');
	message.id = 'qv-message';
	message.textContent = text;
	document.body.appendChild(message);
}

function webglAvailable() {
	try {
		const canvas = document.createElement('canvas');
		return !!(canvas.getContext('webgl2') || canvas.getContext('webgl'));
	} catch (error) {
		return false;
	}
}

function parseModel(buffer) {
	return new Promise((resolve, reject) => new GLTFLoader().parse(buffer, '', resolve, reject));
}

// A camera in front of the rig (glTF's front is +Z), a little to its right and above, seeing all of it.
function frameCamera(camera, controls, bounds) {
	const sphere = bounds.getBoundingSphere(new THREE.Sphere());
	const radius = Math.max(sphere.radius, 0.05);
	const distance = (radius / Math.sin(THREE.MathUtils.degToRad(camera.fov) / 2)) * 1.15;
	const direction = new THREE.Vector3(0.55, 0.35, 1).normalize();
	camera.position.copy(sphere.center).addScaledVector(direction, distance);
	camera.near = distance / 100;
	camera.far = distance * 100;
	camera.updateProjectionMatrix();
	controls.target.copy(sphere.center);
	controls.update();
}

function addGround(scene, bounds) {
	const size = bounds.getSize(new THREE.Vector3());
	const extent = Math.max(size.x, size.z, size.y * 0.5, 0.1) * 2;
	const grid = new THREE.GridHelper(extent, 20, 0x55585f, 0x3a3d43);
	grid.position.set((bounds.min.x + bounds.max.x) / 2, bounds.min.y, (bounds.min.z + bounds.max.z) / 2);
	scene.add(grid);
}

function makeBar(frameCount, onToggle, onFrame) {
	const bar = document.createElement('div');
	bar.id = 'qv-bar';
	const button = document.createElement('button');
	button.addEventListener('click', onToggle);
	const slider = document.createElement('input');
	slider.id = 'qv-slider';
	slider.type = 'range';
	slider.min = '0';
	slider.max = String(Math.max(frameCount - 1, 0));
	slider.step = '1';
	slider.addEventListener('input', () => onFrame(Number(slider.value)));
	const label = document.createElement('span');
	bar.append(button, slider, label);
	document.body.appendChild(bar);
	return { button, slider, label };
}

// The element under the pointer: the joint its shape's vertices follow.
function pickJoint(raycaster, pointer, camera, meshes) {
	raycaster.setFromCamera(pointer, camera);
	const hit = raycaster.intersectObjects(meshes, false)[0];
	if (!hit || !hit.face) {
		return null;
	}
	const mesh = hit.object;
	const joint = mesh.geometry.attributes.skinIndex.getX(hit.face.a);
	const bone = mesh.skeleton.bones[joint];
	return bone ? `${bone.userData.type || 'joint'} '${bone.name}'` : null;
}

async function start() {
	addStyle();
	setStatus('loading');
	if (!webglAvailable()) {
		showMessage('This browser cannot draw WebGL, which the viewer needs.');
		setStatus('no-webgl');
		return;
	}
	const model = decodeModel();
	const gltf = await parseModel(model.buffer);
	const extras = gltf.scene.userData || {};
	const frameRate = Number(extras.frameRate) > 0 ? Number(extras.frameRate) : 30;
	const frameCount = Number(extras.frameCount) > 0 ? Math.round(Number(extras.frameCount)) : 1;

	const renderer = new THREE.WebGLRenderer({ antialias: true });
	renderer.setPixelRatio(window.devicePixelRatio);
	renderer.setSize(window.innerWidth, window.innerHeight);
	document.body.appendChild(renderer.domElement);

	const scene = new THREE.Scene();
	scene.background = new THREE.Color(Background);
	scene.add(new THREE.HemisphereLight(0xffffff, 0x40444c, 2.2));
	const sun = new THREE.DirectionalLight(0xffffff, 1.6);
	sun.position.set(1, 2, 1.5);
	scene.add(sun);
	scene.add(gltf.scene);

	const camera = new THREE.PerspectiveCamera(40, window.innerWidth / window.innerHeight, 0.01, 1000);
	const controls = new OrbitControls(camera, renderer.domElement);
	const meshes = [];
	gltf.scene.traverse((object) => {
		if (object.isSkinnedMesh) {
			object.frustumCulled = false;
			meshes.push(object);
		}
	});

	const mixer = new THREE.AnimationMixer(gltf.scene);
	const clip = gltf.animations[0];
	if (clip) {
		mixer.clipAction(clip).play();
	}
	const duration = (frameCount - 1) / frameRate;
	const setFrame = (frame) => mixer.setTime(Math.min(Math.max(frame, 0), frameCount - 1) / frameRate);

	const requested = new URLSearchParams(window.location.search).get('frame');
	let playing = requested === null && frameCount > 1;
	let time = requested === null ? 0 : Math.min(Math.max(Number(requested) || 0, 0), frameCount - 1) / frameRate;
	setFrame(time * frameRate);
	gltf.scene.updateMatrixWorld(true);
	const bounds = new THREE.Box3().setFromObject(gltf.scene, true);
	if (bounds.isEmpty()) {
		bounds.set(new THREE.Vector3(-1, -1, -1), new THREE.Vector3(1, 1, 1));
	}
	addGround(scene, bounds);
	frameCamera(camera, controls, bounds);

	const bar = makeBar(
		frameCount,
		() => {
			playing = !playing && frameCount > 1;
		},
		(frame) => {
			playing = false;
			time = frame / frameRate;
		}
	);
	const info = document.createElement('div');
	info.id = 'qv-info';
	document.body.appendChild(info);
	const raycaster = new THREE.Raycaster();
	const pointer = new THREE.Vector2(2, 2);
	renderer.domElement.addEventListener('pointermove', (event) => {
		pointer.set((event.clientX / window.innerWidth) * 2 - 1, -(event.clientY / window.innerHeight) * 2 + 1);
	});
	window.addEventListener('keydown', (event) => {
		if (event.key === ' ') {
			playing = !playing && frameCount > 1;
		} else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') {
			playing = false;
			const frame = Math.round(time * frameRate) + (event.key === 'ArrowLeft' ? -1 : 1);
			time = Math.min(Math.max(frame, 0), frameCount - 1) / frameRate;
		}
	});
	window.addEventListener('resize', () => {
		camera.aspect = window.innerWidth / window.innerHeight;
		camera.updateProjectionMatrix();
		renderer.setSize(window.innerWidth, window.innerHeight);
	});

	const clock = new THREE.Clock();
	const title = `${model.name}: ${gltf.scene.children.length ? '' : 'empty, '}${frameCount} frames at ${frameRate} fps`;
	const draw = () => {
		const delta = clock.getDelta();
		if (playing) {
			time = duration > 0 ? (time + delta) % (duration + 1 / frameRate) : 0;
		}
		const frame = Math.min(Math.round(time * frameRate), frameCount - 1);
		setFrame(playing ? time * frameRate : frame);
		bar.button.textContent = playing ? 'Pause' : 'Play';
		bar.slider.value = String(frame);
		bar.label.textContent = `frame ${frame} / ${frameCount - 1}`;
		const picked = meshes.length ? pickJoint(raycaster, pointer, camera, meshes) : null;
		info.textContent = picked ? `${title}\n${picked}` : title;
		controls.update();
		renderer.render(scene, camera);
	};
	draw();
	setStatus('ready');
	renderer.setAnimationLoop(draw);
}

start().catch((error) => {
	showMessage(`The animation cannot be shown: ${error && error.message ? error.message : error}`);
	setStatus(`error: ${error && error.message ? error.message : error}`);
});
