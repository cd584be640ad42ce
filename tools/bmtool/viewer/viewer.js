// The building viewer of `bmtool view`: reads the model's JSON from the page
// (docs/json.md), builds one vertex buffer for every line member (columns,
// beams, braces) and one for every face (walls, slabs), and draws them with
// WebGL. Storeys are contiguous ranges of both buffers, so showing or hiding
// one is a change of the draw ranges. Picking is done on the CPU in screen
// space. Nothing is fetched.
(function () {
  'use strict';

  // The member lists of a storey, how each is drawn, and its colour (RGBA,
  // 0-255). `points`: the fewest point names it needs; `place`: puts its
  // geometry in the buffers; `below`: how many storeys down a line's first
  // end is; `corners`: how many corners its face has (a wall: its two top
  // points and the same two at the floor below).
  const KINDS = [
    { list: 'columns', label: 'Columns', face: false, points: 2, place: placeLine,
      below: (m) => Math.max(1, m.storeys_spanned || 1), color: [29, 78, 216, 255] },
    { list: 'beams', label: 'Beams', face: false, points: 2, place: placeLine, below: () => 0,
      color: [15, 118, 110, 255] },
    { list: 'braces', label: 'Braces', face: false, points: 2, place: placeLine,
      below: (m) => Math.max(0, m.storeys_spanned || 0), color: [220, 38, 38, 255] },
    { list: 'walls', label: 'Walls', face: true, points: 2, place: placeWall, corners: () => 4,
      color: [124, 58, 237, 80] },
    { list: 'slabs', label: 'Slabs', face: true, points: 3, place: placeSlab, corners: (m) => m.points.length,
      color: [148, 163, 184, 46] },
  ];
  const BACKGROUND = [0.961, 0.965, 0.973];
  const HIGHLIGHT = [255, 120, 0, 255];
  const MARK_OFFSETS = [0, 0, 1, 0, -1, 0, 0, 1, 0, -1, 1, 1, -1, -1, 1, -1, -1, 1];
  const PICK_PIXELS = 6;
  const FOV = 40 * Math.PI / 180;

  const t0 = performance.now();
  const stats = {
    members: 0, drawnMembers: 0, skipped: 0, lines: 0, faces: 0, triangles: 0,
    parseMs: null, buildMs: null, firstFrameMs: null,
  };
  const model = JSON.parse(document.getElementById('model').textContent);
  stats.parseMs = performance.now() - t0;

  // ---- the model as arrays ------------------------------------------------

  const storeys = model.storeys || [];
  const nStoreys = storeys.length;
  const units = model.units || {};
  const lengthUnit = units.length ? ' ' + units.length : '';

  // Plan points by name, relative to the smallest X and Y: the vertex
  // buffers hold 32-bit floats, which would blur a plan far from its origin.
  const pointIndex = new Map();
  const pointsList = model.points || [];
  const px = new Float64Array(pointsList.length);
  const py = new Float64Array(pointsList.length);
  const finite = pointsList.filter((p) => Number.isFinite(p.x) && Number.isFinite(p.y));
  const originX = finite.reduce((least, p) => Math.min(least, p.x), finite.length ? Infinity : 0);
  const originY = finite.reduce((least, p) => Math.min(least, p.y), finite.length ? Infinity : 0);
  pointsList.forEach((p, i) => {
    pointIndex.set(p.name, i);
    px[i] = Number.isFinite(p.x) ? p.x - originX : NaN;
    py[i] = Number.isFinite(p.y) ? p.y - originY : NaN;
  });
  function pointOf(name) {
    const i = pointIndex.get(name);
    return i === undefined || !Number.isFinite(px[i]) || !Number.isFinite(py[i]) ? -1 : i;
  }

  // Storey elevations; a storey without one stands its height over the one below.
  const elevation = new Float64Array(nStoreys);
  storeys.forEach((s, k) => {
    const below = k > 0 ? elevation[k - 1] : 0;
    elevation[k] = Number.isFinite(s.elevation) ? s.elevation : below + (Number.isFinite(s.height) ? s.height : 0);
  });
  // The elevation `span` storeys below storey k, as bmtool plot places it: the
  // storey that many below, the base storey's own height under it, or the
  // lowest storey when the span runs past the base.
  function bottomOf(k, span) {
    if (k - span >= 0) return elevation[k - span];
    if (k === 0) return elevation[0] - (Number.isFinite(storeys[0].height) ? storeys[0].height : 0);
    return elevation[0];
  }

  // Every member once: its JSON object, kind and storey.
  const members = [];
  const memberKind = [];
  const memberStorey = [];
  // Per storey: [first, end) of its lines, faces and triangle vertices.
  const lineFirst = new Int32Array(nStoreys + 1);
  const faceFirst = new Int32Array(nStoreys + 1);
  const triFirst = new Int32Array(nStoreys + 1);
  const storeyMembers = new Int32Array(nStoreys);
  const kindCount = new Int32Array(KINDS.length);

  // First pass: sizes, so that every array is allocated once.
  let nLines = 0, nFaces = 0, nCorners = 0, nTriVertices = 0;
  storeys.forEach((s) => {
    KINDS.forEach((kind) => {
      for (const m of s[kind.list] || []) {
        if (!m.points || m.points.length < kind.points) continue;
        if (!kind.face) {
          nLines++;
        } else {
          const corners = kind.corners(m);
          nFaces++;
          nCorners += corners;
          nTriVertices += (corners - 2) * 3;
        }
      }
    });
  });

  const linePos = new Float32Array(nLines * 6);
  const lineCol = new Uint8Array(nLines * 8);
  const lineMember = new Int32Array(nLines);
  const faceMember = new Int32Array(nFaces);
  const faceCornerFirst = new Int32Array(nFaces + 1);
  const cornerPos = new Float32Array(nCorners * 3);
  const triPos = new Float32Array(nTriVertices * 3);
  const triCol = new Uint8Array(nTriVertices * 4);

  // Second pass: the geometry.
  let li = 0, fi = 0, ci = 0, ti = 0;
  const box = [Infinity, Infinity, Infinity, -Infinity, -Infinity, -Infinity];
  function grow(x, y, z) {
    if (x < box[0]) box[0] = x;
    if (y < box[1]) box[1] = y;
    if (z < box[2]) box[2] = z;
    if (x > box[3]) box[3] = x;
    if (y > box[4]) box[4] = y;
    if (z > box[5]) box[5] = z;
  }
  function addLine(member, a, za, b, zb, color) {
    const o = li * 6;
    linePos[o] = px[a]; linePos[o + 1] = py[a]; linePos[o + 2] = za;
    linePos[o + 3] = px[b]; linePos[o + 4] = py[b]; linePos[o + 5] = zb;
    for (let c = 0; c < 8; c++) lineCol[li * 8 + c] = color[c & 3];
    grow(px[a], py[a], za);
    grow(px[b], py[b], zb);
    lineMember[li++] = member;
  }
  function addCorner(p, z) {
    cornerPos[ci * 3] = px[p]; cornerPos[ci * 3 + 1] = py[p]; cornerPos[ci * 3 + 2] = z;
    grow(px[p], py[p], z);
    ci++;
  }
  function addFace(member, color) {
    const first = faceCornerFirst[fi];
    const n = ci - first;
    // A fan from the first corner.
    for (let c = 1; c + 1 < n; c++) {
      for (let k = 0; k < 3; k++) {
        const v = (k === 0 ? first : first + c + k - 1) * 3;
        triPos[ti * 3] = cornerPos[v]; triPos[ti * 3 + 1] = cornerPos[v + 1]; triPos[ti * 3 + 2] = cornerPos[v + 2];
        triCol[ti * 4] = color[0]; triCol[ti * 4 + 1] = color[1];
        triCol[ti * 4 + 2] = color[2]; triCol[ti * 4 + 3] = color[3];
        ti++;
      }
    }
    faceMember[fi++] = member;
    faceCornerFirst[fi] = ci;
  }
  // The geometry of one member of storey k; false when a point is missing.
  function placeLine(m, k, member, kind) {
    const a = pointOf(m.points[0]), b = pointOf(m.points[1]);
    if (a < 0 || b < 0) return false;
    addLine(member, a, bottomOf(k, kind.below(m)), b, elevation[k], kind.color);
    return true;
  }
  // A wall stands on the storey below: its first two corners are its top
  // edge, the same two points at the floor below close it.
  function placeWall(m, k, member, kind) {
    const a = pointOf(m.points[0]), b = pointOf(m.points[1]);
    if (a < 0 || b < 0) return false;
    const top = elevation[k], bottom = bottomOf(k, 1);
    addCorner(a, top); addCorner(b, top); addCorner(b, bottom); addCorner(a, bottom);
    addFace(member, kind.color);
    return true;
  }
  function placeSlab(m, k, member, kind) {
    for (const name of m.points) if (pointOf(name) < 0) return false;
    for (const name of m.points) addCorner(pointOf(name), elevation[k]);
    addFace(member, kind.color);
    return true;
  }

  storeys.forEach((s, k) => {
    lineFirst[k] = li; faceFirst[k] = fi; triFirst[k] = ti;
    KINDS.forEach((kind, kk) => {
      for (const m of s[kind.list] || []) {
        const member = members.length;
        members.push(m);
        memberKind.push(kk);
        memberStorey.push(k);
        kindCount[kk]++;
        const ok = m.points && m.points.length >= kind.points && kind.place(m, k, member, kind);
        if (ok) storeyMembers[k]++;
        else stats.skipped++;
      }
    });
  });
  lineFirst[nStoreys] = li; faceFirst[nStoreys] = fi; triFirst[nStoreys] = ti;
  stats.members = members.length;
  stats.lines = li;
  stats.faces = fi;
  stats.triangles = ti / 3;
  if (!(box[0] <= box[3])) box.splice(0, 6, -1, -1, -1, 1, 1, 1);

  // ---- camera ---------------------------------------------------------------

  // `shift`: how far right (in NDC) the view's centre sits, to keep the
  // model clear of the storey list.
  const cam = { target: [0, 0, 0], dist: 1, yaw: -0.9, pitch: 0.45, radius: 1, shift: 0 };
  const mvp = new Float32Array(16);
  const view = new Float32Array(16);
  const proj = new Float32Array(16);
  const right = [0, 0, 0], up = [0, 0, 0], fwd = [0, 0, 0], eye = [0, 0, 0];

  // The initial view: from above the plan's lower right, at the distance
  // where every corner of the model's box falls inside 90% of the free part
  // of the canvas.
  function fit() {
    cam.target = [(box[0] + box[3]) / 2, (box[1] + box[4]) / 2, (box[2] + box[5]) / 2];
    cam.radius = Math.max(1e-6, Math.hypot(box[3] - box[0], box[4] - box[1], box[5] - box[2]) / 2);
    cam.yaw = -0.9;
    cam.pitch = 0.45;
    const side = document.getElementById('side').getBoundingClientRect().right;
    const width = Math.max(1, canvas.clientWidth);
    cam.shift = width > 3 * side ? side / width : 0;
    cam.dist = cam.radius;
    updateMatrices();
    const t = Math.tan(FOV / 2) * 0.9;
    const aspect = width / Math.max(1, canvas.clientHeight);
    let dist = 0;
    for (let c = 0; c < 8; c++) {
      const x = box[c & 1 ? 3 : 0] - cam.target[0];
      const y = box[c & 2 ? 4 : 1] - cam.target[1];
      const z = box[c & 4 ? 5 : 2] - cam.target[2];
      const across = Math.abs(x * right[0] + y * right[1] + z * right[2]) / (t * aspect * (1 - cam.shift));
      const high = Math.abs(x * up[0] + y * up[1] + z * up[2]) / t;
      dist = Math.max(dist, Math.max(across, high) - (x * fwd[0] + y * fwd[1] + z * fwd[2]));
    }
    cam.dist = Math.max(dist, cam.radius * 0.1);
  }

  // The camera's axes and the matrices, into the arrays above (no allocation).
  function updateMatrices() {
    const cp = Math.cos(cam.pitch), sp = Math.sin(cam.pitch);
    const cy = Math.cos(cam.yaw), sy = Math.sin(cam.yaw);
    // fwd points from the eye to the target; Z is up.
    fwd[0] = -cp * cy; fwd[1] = -cp * sy; fwd[2] = -sp;
    eye[0] = cam.target[0] - fwd[0] * cam.dist;
    eye[1] = cam.target[1] - fwd[1] * cam.dist;
    eye[2] = cam.target[2] - fwd[2] * cam.dist;
    right[0] = -sy; right[1] = cy; right[2] = 0;
    up[0] = right[1] * fwd[2] - right[2] * fwd[1];
    up[1] = right[2] * fwd[0] - right[0] * fwd[2];
    up[2] = right[0] * fwd[1] - right[1] * fwd[0];
    // Column-major view matrix: rows are right, up, -fwd.
    view[0] = right[0]; view[4] = right[1]; view[8] = right[2];
    view[1] = up[0]; view[5] = up[1]; view[9] = up[2];
    view[2] = -fwd[0]; view[6] = -fwd[1]; view[10] = -fwd[2];
    view[3] = 0; view[7] = 0; view[11] = 0; view[15] = 1;
    view[12] = -(right[0] * eye[0] + right[1] * eye[1] + right[2] * eye[2]);
    view[13] = -(up[0] * eye[0] + up[1] * eye[1] + up[2] * eye[2]);
    view[14] = fwd[0] * eye[0] + fwd[1] * eye[1] + fwd[2] * eye[2];

    const aspect = canvas.clientWidth / Math.max(1, canvas.clientHeight);
    const far = cam.dist + cam.radius * 2;
    const near = Math.max(cam.dist - cam.radius * 2, far * 1e-4);
    const f = 1 / Math.tan(FOV / 2);
    proj.fill(0);
    proj[0] = f / aspect;
    proj[5] = f;
    proj[8] = -cam.shift;
    proj[10] = (far + near) / (near - far);
    proj[11] = -1;
    proj[14] = 2 * far * near / (near - far);
    for (let c = 0; c < 4; c++) {
      for (let r = 0; r < 4; r++) {
        mvp[c * 4 + r] = proj[r] * view[c * 4] + proj[4 + r] * view[c * 4 + 1] +
          proj[8 + r] * view[c * 4 + 2] + proj[12 + r] * view[c * 4 + 3];
      }
    }
    fogNear = Math.max(0, cam.dist - cam.radius);
    fogFar = cam.dist + cam.radius;
  }
  let fogNear = 0, fogFar = 1;

  // Moves the target so that the plan under (cssX, cssY) stays put while the
  // distance is scaled by `factor`: zoom toward the cursor or the pinch.
  function zoomAt(cssX, cssY, factor) {
    const w = canvas.clientWidth, h = Math.max(1, canvas.clientHeight);
    const halfH = cam.dist * Math.tan(FOV / 2), halfW = halfH * w / h;
    const nx = (cssX / w) * 2 - 1 - cam.shift, ny = 1 - (cssY / h) * 2;
    const k = 1 - factor;
    for (let i = 0; i < 3; i++) cam.target[i] += (right[i] * nx * halfW + up[i] * ny * halfH) * k;
    cam.dist = Math.min(Math.max(cam.dist * factor, cam.radius * 1e-3), cam.radius * 50);
  }
  function pan(dxCss, dyCss) {
    const perPixel = 2 * cam.dist * Math.tan(FOV / 2) / Math.max(1, canvas.clientHeight);
    for (let i = 0; i < 3; i++) cam.target[i] += (-right[i] * dxCss + up[i] * dyCss) * perPixel;
  }
  function turn(dxCss, dyCss) {
    cam.yaw -= dxCss * 0.008;
    cam.pitch = Math.min(Math.max(cam.pitch + dyCss * 0.008, -1.55), 1.55);
  }

  // ---- WebGL ------------------------------------------------------------------

  const canvas = document.getElementById('view');
  // Multisampling makes lines smooth, but a software renderer draws a large
  // model three times slower with it; a large model's lines are dense anyway.
  const gl = canvas.getContext('webgl', { antialias: stats.members < 20000, alpha: false });
  const VERTEX = `
    attribute vec3 position;
    attribute vec4 color;
    uniform mat4 mvp;
    uniform vec2 fog;
    uniform vec2 offset;
    varying vec4 vColor;
    varying float vFog;
    void main() {
      gl_Position = mvp * vec4(position, 1.0);
      gl_Position.xy += offset * gl_Position.w;
      vColor = color;
      vFog = clamp((gl_Position.w - fog.x) / max(fog.y - fog.x, 1e-6), 0.0, 1.0) * 0.55;
    }`;
  const FRAGMENT = `
    precision mediump float;
    uniform vec3 background;
    varying vec4 vColor;
    varying float vFog;
    void main() { gl_FragColor = vec4(mix(vColor.rgb, background, vFog), vColor.a); }`;

  let program = null, loc = null;
  const buffers = {};
  if (gl) {
    const shader = (type, text) => {
      const s = gl.createShader(type);
      gl.shaderSource(s, text);
      gl.compileShader(s);
      return s;
    };
    program = gl.createProgram();
    gl.attachShader(program, shader(gl.VERTEX_SHADER, VERTEX));
    gl.attachShader(program, shader(gl.FRAGMENT_SHADER, FRAGMENT));
    gl.linkProgram(program);
    loc = {
      position: gl.getAttribLocation(program, 'position'),
      color: gl.getAttribLocation(program, 'color'),
      mvp: gl.getUniformLocation(program, 'mvp'),
      fog: gl.getUniformLocation(program, 'fog'),
      offset: gl.getUniformLocation(program, 'offset'),
      background: gl.getUniformLocation(program, 'background'),
    };
    const upload = (data) => {
      const b = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, b);
      gl.bufferData(gl.ARRAY_BUFFER, data, gl.STATIC_DRAW);
      return b;
    };
    buffers.linePos = upload(linePos);
    buffers.lineCol = upload(lineCol);
    buffers.triPos = upload(triPos);
    buffers.triCol = upload(triCol);
    buffers.markPos = upload(new Float32Array(6));
    buffers.markCol = upload(new Uint8Array(8));
  }
  stats.buildMs = performance.now() - t0;

  function bind(pos, col) {
    gl.bindBuffer(gl.ARRAY_BUFFER, pos);
    gl.vertexAttribPointer(loc.position, 3, gl.FLOAT, false, 0, 0);
    gl.bindBuffer(gl.ARRAY_BUFFER, col);
    gl.vertexAttribPointer(loc.color, 4, gl.UNSIGNED_BYTE, true, 0, 0);
  }

  // Visible storeys, and the runs of consecutive visible storeys drawn as one
  // range each: [first storey, end storey) pairs.
  const visible = new Uint8Array(nStoreys).fill(1);
  const runs = new Int32Array(nStoreys * 2 + 2);
  let nRuns = 0;
  function updateRuns() {
    nRuns = 0;
    stats.drawnMembers = 0;
    for (let k = 0; k < nStoreys; k++) {
      if (!visible[k]) continue;
      stats.drawnMembers += storeyMembers[k];
      if (nRuns > 0 && runs[nRuns * 2 - 1] === k) runs[nRuns * 2 - 1] = k + 1;
      else { runs[nRuns * 2] = k; runs[nRuns * 2 + 1] = k + 1; nRuns++; }
    }
  }
  updateRuns();

  let markVertices = 0;
  let frameRequested = false;
  function requestFrame() {
    if (frameRequested) return;
    frameRequested = true;
    requestAnimationFrame(draw);
  }

  function resize() {
    const dpr = window.devicePixelRatio || 1;
    const w = Math.max(1, Math.round(canvas.clientWidth * dpr));
    const h = Math.max(1, Math.round(canvas.clientHeight * dpr));
    if (canvas.width !== w || canvas.height !== h) { canvas.width = w; canvas.height = h; }
  }

  function draw() {
    frameRequested = false;
    updateMatrices();
    if (!gl) return;
    resize();
    gl.viewport(0, 0, canvas.width, canvas.height);
    gl.clearColor(BACKGROUND[0], BACKGROUND[1], BACKGROUND[2], 1);
    gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
    gl.useProgram(program);
    gl.uniformMatrix4fv(loc.mvp, false, mvp);
    gl.uniform2f(loc.fog, fogNear, fogFar);
    gl.uniform2f(loc.offset, 0, 0);
    gl.uniform3f(loc.background, BACKGROUND[0], BACKGROUND[1], BACKGROUND[2]);
    gl.enableVertexAttribArray(loc.position);
    gl.enableVertexAttribArray(loc.color);
    gl.enable(gl.DEPTH_TEST);
    gl.depthFunc(gl.LEQUAL);

    // Lines first, opaque; then the faces, blended over them without
    // writing depth, so that faces never hide each other.
    gl.disable(gl.BLEND);
    gl.depthMask(true);
    bind(buffers.linePos, buffers.lineCol);
    for (let r = 0; r < nRuns; r++) {
      const first = lineFirst[runs[r * 2]] * 2, end = lineFirst[runs[r * 2 + 1]] * 2;
      if (end > first) gl.drawArrays(gl.LINES, first, end - first);
    }
    gl.enable(gl.BLEND);
    gl.blendFunc(gl.SRC_ALPHA, gl.ONE_MINUS_SRC_ALPHA);
    gl.depthMask(false);
    bind(buffers.triPos, buffers.triCol);
    for (let r = 0; r < nRuns; r++) {
      const first = triFirst[runs[r * 2]], end = triFirst[runs[r * 2 + 1]];
      if (end > first) gl.drawArrays(gl.TRIANGLES, first, end - first);
    }
    // The picked member over everything, drawn shifted by a pixel each way
    // to make it three pixels wide (WebGL lines are one pixel).
    if (markVertices > 0) {
      gl.disable(gl.DEPTH_TEST);
      bind(buffers.markPos, buffers.markCol);
      for (let i = 0; i < MARK_OFFSETS.length; i += 2) {
        gl.uniform2f(loc.offset, MARK_OFFSETS[i] * 2 / canvas.width, MARK_OFFSETS[i + 1] * 2 / canvas.height);
        gl.drawArrays(gl.LINES, 0, markVertices);
      }
      gl.uniform2f(loc.offset, 0, 0);
    }
    gl.depthMask(true);
    if (stats.firstFrameMs === null) {
      gl.finish();
      stats.firstFrameMs = performance.now();
    }
  }

  // ---- picking ----------------------------------------------------------------

  // Screen position (CSS pixels) and depth of a world point, into out[0..2];
  // false behind the eye.
  function project(x, y, z, out) {
    const w = mvp[3] * x + mvp[7] * y + mvp[11] * z + mvp[15];
    if (w <= 1e-9) return false;
    out[0] = ((mvp[0] * x + mvp[4] * y + mvp[8] * z + mvp[12]) / w * 0.5 + 0.5) * canvas.clientWidth;
    out[1] = (0.5 - (mvp[1] * x + mvp[5] * y + mvp[9] * z + mvp[13]) / w * 0.5) * canvas.clientHeight;
    out[2] = (mvp[2] * x + mvp[6] * y + mvp[10] * z + mvp[14]) / w;
    return true;
  }
  const pa = new Float64Array(3), pb = new Float64Array(3);
  let polygon = new Float64Array(64);

  // The member drawn at (cssX, cssY): the nearest line within a few pixels,
  // else the nearest face under the point; -1 for none. A linear pass over
  // the visible storeys.
  function pick(cssX, cssY) {
    updateMatrices();
    let best = -1, bestD2 = PICK_PIXELS * PICK_PIXELS, bestDepth = Infinity;
    for (let r = 0; r < nRuns; r++) {
      for (let i = lineFirst[runs[r * 2]], end = lineFirst[runs[r * 2 + 1]]; i < end; i++) {
        const o = i * 6;
        if (!project(linePos[o], linePos[o + 1], linePos[o + 2], pa) ||
            !project(linePos[o + 3], linePos[o + 4], linePos[o + 5], pb)) continue;
        const dx = pb[0] - pa[0], dy = pb[1] - pa[1];
        const len2 = dx * dx + dy * dy;
        const t = len2 > 0 ? Math.min(1, Math.max(0, ((cssX - pa[0]) * dx + (cssY - pa[1]) * dy) / len2)) : 0;
        const ex = pa[0] + t * dx - cssX, ey = pa[1] + t * dy - cssY;
        const d2 = ex * ex + ey * ey;
        const depth = pa[2] + t * (pb[2] - pa[2]);
        if (d2 < bestD2 - 0.25 || (d2 <= bestD2 + 0.25 && depth < bestDepth)) {
          best = lineMember[i]; bestD2 = d2; bestDepth = depth;
        }
      }
    }
    if (best >= 0) return best;
    for (let r = 0; r < nRuns; r++) {
      for (let f = faceFirst[runs[r * 2]], end = faceFirst[runs[r * 2 + 1]]; f < end; f++) {
        const first = faceCornerFirst[f], n = faceCornerFirst[f + 1] - first;
        if (polygon.length < n * 2) polygon = new Float64Array(n * 4);
        let depth = Infinity, ok = true;
        for (let c = 0; c < n && ok; c++) {
          const o = (first + c) * 3;
          ok = project(cornerPos[o], cornerPos[o + 1], cornerPos[o + 2], pa);
          polygon[c * 2] = pa[0]; polygon[c * 2 + 1] = pa[1];
          depth = Math.min(depth, pa[2]);
        }
        if (ok && depth < bestDepth && inside(polygon, n, cssX, cssY)) {
          best = faceMember[f]; bestDepth = depth;
        }
      }
    }
    return best;
  }
  // Even-odd rule.
  function inside(poly, n, x, y) {
    let odd = false;
    for (let i = 0, j = n - 1; i < n; j = i++) {
      const xi = poly[i * 2], yi = poly[i * 2 + 1], xj = poly[j * 2], yj = poly[j * 2 + 1];
      if ((yi > y) !== (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) odd = !odd;
    }
    return odd;
  }

  // ---- the details panel ----------------------------------------------------

  const frameSections = new Map((model.frame_sections || []).map((s) => [s.name, s]));
  const shellSections = new Map((model.shell_sections || []).map((s) => [s.name, s]));
  const materials = new Map((model.materials || []).map((m) => [m.name, m]));
  const info = document.getElementById('info');
  const infoBody = document.getElementById('info-body');
  let selected = -1;

  function num(v) {
    return Number.isFinite(v) ? String(+v.toPrecision(6)) : String(v);
  }
  // "d 0.6, b 0.3": the fields of `object` that are numbers, but `skip`.
  function numbers(object, skip) {
    return Object.keys(object).filter((k) => !skip.includes(k) && typeof object[k] === 'number')
      .map((k) => k + ' ' + num(object[k])).join(', ');
  }
  function sectionText(m, face) {
    if (m.section === null || m.section === undefined) return 'none';
    const s = (face ? shellSections : frameSections).get(m.section);
    if (!s) return m.section;
    const kind = face ? [s.type, s.shell_type].filter(Boolean).join(' ') : s.shape;
    const dims = numbers(s, ['name']);
    return m.section + (kind ? ' (' + kind + ')' : '') + (dims ? ': ' + dims + lengthUnit : '');
  }
  function materialText(m) {
    if (!m.material) return 'none';
    const mat = materials.get(m.material);
    return mat && mat.design_type ? m.material + ' (' + mat.design_type.toLowerCase() + ')' : m.material;
  }
  function loadText(l) {
    const words = [l.case, l.type, l.direction].filter((w) => w !== undefined && w !== null);
    const fields = ['value', 'distance', 'start_value', 'end_value', 'start_distance', 'end_distance',
      'fx', 'fy', 'fz', 'mx', 'my', 'mz'];
    const values = fields.filter((f) => typeof l[f] === 'number').map((f) => f + ' ' + num(l[f]));
    return words.join(' ') + (values.length ? ': ' + values.join(', ') : '');
  }
  function row(table, head, text) {
    const tr = table.insertRow();
    const th = document.createElement('th');
    th.textContent = head;
    tr.appendChild(th);
    tr.insertCell().textContent = text;
  }

  function select(member) {
    selected = member;
    markVertices = 0;
    if (member < 0) {
      info.hidden = true;
      requestFrame();
      return;
    }
    const m = members[member];
    const kind = KINDS[memberKind[member]];
    const storey = storeys[memberStorey[member]];
    infoBody.textContent = '';
    const h = document.createElement('h2');
    h.id = 'info-name';
    h.textContent = m.name;
    infoBody.appendChild(h);
    const table = document.createElement('table');
    row(table, 'kind', m.kind || kind.list);
    row(table, 'storey', storey.name + ' (' + num(elevation[memberStorey[member]]) + lengthUnit + ')');
    row(table, 'section', sectionText(m, kind.face));
    row(table, 'material', materialText(m));
    row(table, 'points', m.points ? m.points.join(', ') : 'none');
    if (!kind.face) {
      row(table, 'storeys spanned', m.storeys_spanned === null ? 'none' : String(m.storeys_spanned));
      row(table, 'angle', num(m.angle));
      row(table, 'releases', m.releases ? m.releases.join(' ') : 'none');
    } else {
      if (m.pier) row(table, 'pier', m.pier);
      if (m.diaphragm) row(table, 'diaphragm', m.diaphragm);
    }
    row(table, 'loads', m.loads && m.loads.length ? String(m.loads.length) : 'none');
    infoBody.appendChild(table);
    if (m.loads && m.loads.length) {
      const list = document.createElement('ul');
      list.className = 'loads';
      for (const l of m.loads.slice(0, 50)) {
        const li = document.createElement('li');
        li.textContent = loadText(l);
        list.appendChild(li);
      }
      if (m.loads.length > 50) {
        const li = document.createElement('li');
        li.textContent = '... ' + (m.loads.length - 50) + ' more';
        list.appendChild(li);
      }
      infoBody.appendChild(list);
    }
    info.hidden = false;
    mark(member);
    requestFrame();
  }

  // The outline of the picked member into the mark buffer.
  function mark(member) {
    const segments = [];
    const l = lineMember.indexOf(member);
    if (l >= 0) {
      segments.push(...linePos.subarray(l * 6, l * 6 + 6));
    } else {
      const f = faceMember.indexOf(member);
      if (f < 0) return;
      const first = faceCornerFirst[f], n = faceCornerFirst[f + 1] - first;
      for (let c = 0; c < n; c++) {
        const a = (first + c) * 3, b = (first + (c + 1) % n) * 3;
        segments.push(...cornerPos.subarray(a, a + 3), ...cornerPos.subarray(b, b + 3));
      }
    }
    markVertices = segments.length / 3;
    if (!gl) return;
    const colors = new Uint8Array(markVertices * 4);
    for (let v = 0; v < markVertices; v++) colors.set(HIGHLIGHT, v * 4);
    gl.bindBuffer(gl.ARRAY_BUFFER, buffers.markPos);
    gl.bufferData(gl.ARRAY_BUFFER, new Float32Array(segments), gl.DYNAMIC_DRAW);
    gl.bindBuffer(gl.ARRAY_BUFFER, buffers.markCol);
    gl.bufferData(gl.ARRAY_BUFFER, colors, gl.DYNAMIC_DRAW);
  }
  document.getElementById('info-close').addEventListener('click', () => select(-1));

  // ---- legend and storey list ---------------------------------------------------

  function rgba(c) {
    return 'rgba(' + c[0] + ',' + c[1] + ',' + c[2] + ',' + Math.max(0.35, c[3] / 255).toFixed(2) + ')';
  }
  document.getElementById('member-count').textContent = String(stats.members);
  document.getElementById('storey-count').textContent = String(nStoreys);
  if (stats.members === 1) document.getElementById('member-word').textContent = 'member';
  if (nStoreys === 1) document.getElementById('storey-word').textContent = 'storey';
  const legend = document.getElementById('legend');
  KINDS.forEach((kind, k) => {
    const li = document.createElement('li');
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = rgba(kind.color);
    li.appendChild(swatch);
    li.appendChild(document.createTextNode(kind.label + ' ' + kindCount[k]));
    li.id = 'legend-' + kind.list;
    legend.appendChild(li);
  });

  const storeyList = document.getElementById('storeys');
  const boxes = [];
  function setVisible(k, on) {
    visible[k] = on ? 1 : 0;
    boxes[k].checked = !!on;
  }
  function visibilityChanged() {
    updateRuns();
    if (selected >= 0 && !visible[memberStorey[selected]]) select(-1);
    requestFrame();
  }
  // Top storey first, as a building is read.
  for (let k = nStoreys - 1; k >= 0; k--) {
    const li = document.createElement('li');
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.checked = true;
    box.id = 'storey-' + k;
    box.addEventListener('change', () => { visible[k] = box.checked ? 1 : 0; visibilityChanged(); });
    const label = document.createElement('label');
    label.htmlFor = box.id;
    label.textContent = storeys[k].name + ' ';
    const elev = document.createElement('span');
    elev.className = 'elev';
    elev.textContent = num(elevation[k]) + ', ' + storeyMembers[k];
    label.appendChild(elev);
    label.title = storeys[k].name + ': elevation ' + num(elevation[k]) + lengthUnit + ', ' +
      storeyMembers[k] + ' members';
    const only = document.createElement('button');
    only.type = 'button';
    only.textContent = 'only';
    only.className = 'only';
    only.addEventListener('click', () => {
      for (let j = 0; j < nStoreys; j++) setVisible(j, j === k);
      visibilityChanged();
    });
    li.append(box, label, only);
    storeyList.appendChild(li);
    boxes[k] = box;
  }
  document.getElementById('show-all').addEventListener('click', () => {
    for (let j = 0; j < nStoreys; j++) setVisible(j, true);
    visibilityChanged();
  });

  // ---- pointer input ------------------------------------------------------------

  const pointers = new Map();
  let pressX = 0, pressY = 0, moved = 0, gesture = false;
  function local(e) {
    const r = canvas.getBoundingClientRect();
    return [e.clientX - r.left, e.clientY - r.top];
  }
  function pinchState() {
    const [a, b] = pointers.values();
    return { d: Math.hypot(a.x - b.x, a.y - b.y), x: (a.x + b.x) / 2, y: (a.y + b.y) / 2 };
  }
  let pinch = null;
  canvas.addEventListener('pointerdown', (e) => {
    canvas.setPointerCapture(e.pointerId);
    const [x, y] = local(e);
    pointers.set(e.pointerId, { x, y });
    canvas.classList.add('dragging');
    if (pointers.size === 1) { pressX = x; pressY = y; moved = 0; gesture = false; }
    else { gesture = true; pinch = pinchState(); }
  });
  canvas.addEventListener('pointermove', (e) => {
    const p = pointers.get(e.pointerId);
    if (!p) return;
    const [x, y] = local(e);
    const dx = x - p.x, dy = y - p.y;
    p.x = x; p.y = y;
    moved = Math.max(moved, Math.hypot(x - pressX, y - pressY));
    if (pointers.size === 1) {
      if (moved < 3) return;
      if ((e.buttons & 6) || e.shiftKey) pan(dx, dy);
      else turn(dx, dy);
    } else if (pointers.size === 2 && pinch) {
      const now = pinchState();
      pan(now.x - pinch.x, now.y - pinch.y);
      if (now.d > 0 && pinch.d > 0) zoomAt(now.x, now.y, pinch.d / now.d);
      pinch = now;
    }
    requestFrame();
  });
  function release(e) {
    if (!pointers.delete(e.pointerId)) return;
    if (pointers.size < 2) pinch = null;
    if (pointers.size === 0) {
      canvas.classList.remove('dragging');
      if (!gesture && moved < 4 && e.type === 'pointerup') {
        const [x, y] = local(e);
        select(pick(x, y));
      }
    }
  }
  canvas.addEventListener('pointerup', release);
  canvas.addEventListener('pointercancel', release);
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  canvas.addEventListener('wheel', (e) => {
    e.preventDefault();
    const [x, y] = local(e);
    const lines = e.deltaMode === 1 ? 33 : e.deltaMode === 2 ? 400 : 1;
    zoomAt(x, y, Math.exp(Math.max(-300, Math.min(300, e.deltaY * lines)) * 0.0015));
    requestFrame();
  }, { passive: false });
  canvas.addEventListener('dblclick', () => { fit(); requestFrame(); });
  window.addEventListener('resize', requestFrame);

  if (!gl) {
    const message = document.getElementById('message');
    message.textContent = 'This browser gives the page no WebGL: the storeys and counts are listed, the view cannot be drawn.';
    message.hidden = false;
  }

  // ---- for scripts and tests ------------------------------------------------------

  function findMember(name, storeyName) {
    for (let i = 0; i < members.length; i++) {
      if (members[i].name === name && (storeyName === undefined || storeys[memberStorey[i]].name === storeyName)) {
        return i;
      }
    }
    return -1;
  }
  window.viewer = {
    stats,
    // CSS pixel position (page coordinates) where a click picks the member,
    // or null when none of the points tried picks it.
    screenPositionOf(name, storeyName) {
      const member = findMember(name, storeyName);
      if (member < 0) return null;
      updateMatrices();
      const r = canvas.getBoundingClientRect();
      const tries = [0.5, 0.3, 0.7, 0.15, 0.85, 0.4, 0.6];
      const l = lineMember.indexOf(member);
      const candidates = [];
      if (l >= 0) {
        const o = l * 6;
        if (!project(linePos[o], linePos[o + 1], linePos[o + 2], pa) ||
            !project(linePos[o + 3], linePos[o + 4], linePos[o + 5], pb)) return null;
        for (const t of tries) candidates.push([pa[0] + t * (pb[0] - pa[0]), pa[1] + t * (pb[1] - pa[1])]);
      } else {
        const f = faceMember.indexOf(member);
        if (f < 0) return null;
        const first = faceCornerFirst[f], n = faceCornerFirst[f + 1] - first;
        // The centre of the corners, then points between it and each corner.
        const corners = [];
        for (let c = 0; c < n; c++) {
          const o = (first + c) * 3;
          if (!project(cornerPos[o], cornerPos[o + 1], cornerPos[o + 2], pa)) return null;
          corners.push([pa[0], pa[1]]);
        }
        const cx = corners.reduce((sum, c) => sum + c[0], 0) / n;
        const cy = corners.reduce((sum, c) => sum + c[1], 0) / n;
        candidates.push([cx, cy]);
        for (const t of [0.3, 0.6]) {
          for (const [x, y] of corners) candidates.push([cx + t * (x - cx), cy + t * (y - cy)]);
        }
      }
      for (const [x, y] of candidates) {
        if (x >= 0 && y >= 0 && x < canvas.clientWidth && y < canvas.clientHeight && pick(x, y) === member) {
          return { x: x + r.left, y: y + r.top };
        }
      }
      return null;
    },
    storeyMembers(storeyName) {
      const k = storeys.findIndex((s) => s.name === storeyName);
      return k < 0 ? -1 : storeyMembers[k];
    },
    selected() { return selected < 0 ? null : members[selected].name; },
    camera() { return { target: cam.target.slice(), dist: cam.dist, yaw: cam.yaw, pitch: cam.pitch }; },
    fit() { fit(); requestFrame(); },
  };

  fit();
  draw();
})();
