// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc ifc read back by an independent reader, web-ifc: each example
// design in both schemas, checked against values worked out here from the
// design file itself, not from the program.
//
// Run as: node test_ifc_web_ifc.mjs HALTRIX_CALC EXAMPLES_DIR OUT_DIR
// This file is copied beside the node_modules that scripts/test installs
// web-ifc into. Without web-ifc the test is skipped, unless
// HALTRIX_REQUIRE_WEB_IFC is set (scripts/test sets it).

import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';

const [calc, examples, outDir] = process.argv.slice(2);

let WebIFC;
try {
    WebIFC = await import('web-ifc');
} catch (error) {
    if (process.env.HALTRIX_REQUIRE_WEB_IFC) {
        console.error(`web-ifc is required but cannot be loaded: ${error.message}`);
        process.exit(1);
    }
    console.log('test_ifc_web_ifc: skipped, web-ifc is not installed beside this file ' +
        '(scripts/test installs it)');
    process.exit(0);
}

let failures = 0;
let checks = 0;
function check(condition, what) {
    ++checks;
    if (!condition) {
        ++failures;
        console.error(`FAIL: ${what}`);
    }
}
function near(actual, expected, tolerance, what) {
    check(Math.abs(actual - expected) <= tolerance,
        `${what}: ${actual} is not within ${tolerance} of ${expected}`);
}

// JIS G 3112 nominal diameters, mm.
const DIAMETER = { D10: 9.53, D13: 12.7, D16: 15.9, D19: 19.1, D22: 22.2, D25: 25.4,
    D29: 28.6, D32: 31.8, D35: 34.9 };

// The design file: sixteen lines, H1 H2 l b a γc σsa P H t c bar1 n1 bar2 n2 unit-system.
function readDesign(path) {
    const lines = readFileSync(path, 'utf8').split(/\r?\n/).map((line) => line.trim());
    const number = (k) => Number(lines[k - 1]);
    const coverToMm = number(16) === 1 ? 10 : 1;
    return {
        H1: number(1) * 1000, H2: number(2) * 1000, l: number(3) * 1000, b: number(4) * 1000,
        t: number(10) * coverToMm, c: number(11) * coverToMm,
        bar1: lines[11], n1: number(13), bar2: lines[13], n2: number(15),
    };
}

function exportIfc(design, out, extra) {
    execFileSync(calc, ['ifc', ...extra, design, '-o', out], { stdio: ['ignore', 'ignore', 'pipe'] });
    return readFileSync(out);
}

// web-ifc gives metres with y up: a point (x, y, z) of the file is (x, z, -y) there.
function fileMm([x, y, z]) {
    return [x * 1000, -z * 1000, y * 1000];
}

// The meshes of one product, placed, in file coordinates (mm): triangles.
function triangles(api, model, expressID) {
    const result = [];
    api.StreamMeshes(model, [expressID], (mesh) => {
        const pieces = mesh.geometries;
        for (let i = 0; i < pieces.size(); ++i) {
            const piece = pieces.get(i);
            const geometry = api.GetGeometry(model, piece.geometryExpressID);
            const vertices = api.GetVertexArray(geometry.GetVertexData(), geometry.GetVertexDataSize());
            const indices = api.GetIndexArray(geometry.GetIndexData(), geometry.GetIndexDataSize());
            const m = piece.flatTransformation;
            const at = (k) => {
                const [x, y, z] = [vertices[6 * k], vertices[6 * k + 1], vertices[6 * k + 2]];
                return fileMm([m[0] * x + m[4] * y + m[8] * z + m[12],
                    m[1] * x + m[5] * y + m[9] * z + m[13],
                    m[2] * x + m[6] * y + m[10] * z + m[14]]);
            };
            for (let k = 0; k < indices.length; k += 3)
                result.push([at(indices[k]), at(indices[k + 1]), at(indices[k + 2])]);
            geometry.delete();
        }
    });
    return result;
}

// The enclosed volume (mm3) from signed tetrahedra, and the bounding box.
function volumeOf(tris) {
    let sum = 0;
    for (const [a, b, c] of tris) {
        sum += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
            a[2] * (b[0] * c[1] - b[1] * c[0]);
    }
    return Math.abs(sum) / 6;
}
function boxOf(tris) {
    const low = [Infinity, Infinity, Infinity];
    const high = [-Infinity, -Infinity, -Infinity];
    for (const tri of tris) {
        for (const p of tri) {
            for (let k = 0; k < 3; ++k) {
                low[k] = Math.min(low[k], p[k]);
                high[k] = Math.max(high[k], p[k]);
            }
        }
    }
    return { low, high };
}

// A bar's circle drawn with 48 sides holds 99.7 % of the circle's area
// ((48 / 2π) sin(2π / 48)); web-ifc's default of 12 sides only 95.5 %.
const SETTINGS = { CIRCLE_SEGMENTS: 48 };

const VALID_ID = /^[0-3][0-9A-Za-z_$]{21}$/;

function globalIds(api, model) {
    const ids = [];
    const all = api.GetAllLines(model);
    for (let i = 0; i < all.size(); ++i) {
        const line = api.GetLine(model, all.get(i));
        if (line && line.GlobalId)
            ids.push(line.GlobalId.value);
    }
    return ids;
}

function lines(api, model, type) {
    const found = api.GetLineIDsWithType(model, type);
    const result = [];
    for (let i = 0; i < found.size(); ++i)
        result.push(api.GetLine(model, found.get(i)));
    return result;
}

const api = new WebIFC.IfcAPI();
await api.Init();
mkdirSync(outDir, { recursive: true });

const cases = [];
for (const name of ['bracket-gravitational', 'bracket-si']) {
    for (const schema of ['IFC4X3', 'IFC4'])
        cases.push({ name, schema, extra: ['--schema', schema], part: 'PIER', anchorage: 40, unit: 'φ' });
}
cases.push({ name: 'bracket-si', schema: 'IFC4X3', extra: ['--part', 'abutment', '--anchorage', '500',
    '--hbar', 'D13', '--hcount', '6'], part: 'ABUTMENT', anchorage: 500, unit: 'mm', hbar: 'D13', hcount: 6 });

for (const c of cases) {
    const label = `${c.name} ${c.extra.join(' ')}`;
    const designPath = join(examples, `${c.name}.tvx`);
    const d = readDesign(designPath);
    const first = join(outDir, `${c.name}-${c.schema}-${c.part}-1.ifc`);
    const bytes = exportIfc(designPath, first, c.extra);
    const text = bytes.toString('latin1');

    const schemaString = c.schema === 'IFC4X3' ? 'IFC4X3_ADD2' : 'IFC4';
    check(text.includes(`FILE_SCHEMA(('${schemaString}'));`), `${label}: FILE_SCHEMA names ${schemaString}`);
    check(/FILE_DESCRIPTION\(\('ViewDefinition \[[^\]]+\]'\)/.test(text), `${label}: FILE_DESCRIPTION names the view`);
    check(/FILE_NAME\('[^']*','[^']*',\(''\),\(''\),'Haltrix [0-9]/.test(text), `${label}: FILE_NAME names Haltrix and its version`);
    check(!/[^\x0a\x20-\x7e]/.test(text), `${label}: the file is plain ASCII (Japanese only in escapes)`);

    const model = api.OpenModel(new Uint8Array(bytes), SETTINGS);
    check(api.GetModelSchema(model) === schemaString, `${label}: web-ifc reads the schema as ${schemaString}, not ${api.GetModelSchema(model)}`);

    const parts = c.schema === 'IFC4X3' ? lines(api, model, WebIFC.IFCBRIDGEPART) : [];
    if (c.schema === 'IFC4X3') {
        check(parts.length === 1 && parts[0].PredefinedType?.value === c.part,
            `${label}: one IfcBridgePart of type ${c.part} (${parts.map((p) => p.PredefinedType?.value)})`);
        check(lines(api, model, WebIFC.IFCBRIDGE).length === 1, `${label}: one IfcBridge`);
    } else {
        check(!text.includes('IFCBRIDGE'), `${label}: IFC4 has no IfcBridge`);
    }

    // The bracket, its name decoded, and its concrete.
    const beams = lines(api, model, WebIFC.IFCBEAM);
    check(beams.length === 1, `${label}: one IfcBeam`);
    const beam = beams[0];
    check(beam.Name?.value === '張出し部' && beam.ObjectType?.value === '張出し部',
        `${label}: the beam is named 張出し部 (${beam.Name?.value}, ${beam.ObjectType?.value})`);
    check(beam.PredefinedType?.value === 'USERDEFINED', `${label}: the beam is USERDEFINED`);
    const concrete = volumeOf(triangles(api, model, beam.expressID)) * 1e-9;
    near(concrete, (d.H1 + d.H2) / 2 * d.l * d.b * 1e-9, 1e-6, `${label}: concrete volume (m3)`);
    const body = boxOf(triangles(api, model, beam.expressID));
    near(body.low[0], 0, 0.01, `${label}: the body starts at the root face`);
    near(body.high[0], d.l, 0.01, `${label}: the body ends at the tip`);
    near(body.high[1] - body.low[1], d.b, 0.01, `${label}: the body is b wide`);
    near(body.high[2], 0, 0.01, `${label}: the top face is at z = 0`);
    near(body.low[2], -Math.max(d.H1, d.H2), 0.01, `${label}: the body is H2 deep`);

    // The property set: Japanese names decoded, the anchorage shown.
    const names = lines(api, model, WebIFC.IFCPROPERTYSINGLEVALUE).map((p) => p.Name?.value);
    check(names.includes('単位系') && names.includes('定着長の指定') && names.includes('干渉'),
        `${label}: the property names decode (${names.slice(0, 3)})`);
    const psets = lines(api, model, WebIFC.IFCPROPERTYSET).map((p) => p.Name?.value);
    check(psets.includes('張出し部の設計'), `${label}: the property set 張出し部の設計`);
    const anchorageProperty = lines(api, model, WebIFC.IFCPROPERTYSINGLEVALUE)
        .find((p) => p.Name?.value === '定着長の指定');
    check(String(anchorageProperty?.NominalValue?.value).startsWith(c.unit === 'φ' ? '40φ' : '500 mm'),
        `${label}: the anchorage property (${anchorageProperty?.NominalValue?.value})`);
    const volumeQuantity = lines(api, model, WebIFC.IFCQUANTITYVOLUME)[0];
    near(volumeQuantity?.VolumeValue?.value, (d.H1 + d.H2) / 2 * d.l * d.b * 1e-9, 1e-9,
        `${label}: the quantity コンクリート体積 (m3)`);

    // The bars: as many as the design has, each where and as long as it should be.
    const bars = lines(api, model, WebIFC.IFCREINFORCINGBAR);
    const hcount = c.hcount ?? 4;
    const hbar = c.hbar ?? 'D10';
    check(bars.length === d.n1 + d.n2 + hcount,
        `${label}: ${bars.length} IfcReinforcingBar for ${d.n1} + ${d.n2} main and ${hcount} side-face bars`);
    const main = bars.filter((bar) => bar.PredefinedType?.value === 'MAIN');
    const side = bars.filter((bar) => bar.PredefinedType?.value === 'USERDEFINED');
    check(main.length === d.n1 + d.n2 && side.length === hcount, `${label}: MAIN and USERDEFINED bars`);
    check(side.every((bar) => bar.ObjectType?.value === '水平方向用心鉄筋'), `${label}: side-face bars are 水平方向用心鉄筋`);
    for (const bar of bars) {
        const isMain = bar.PredefinedType?.value === 'MAIN';
        const designation = isMain ? (bar.Name.value.startsWith('１段目') ? d.bar1 : d.bar2) : hbar;
        const phi = DIAMETER[designation];
        const anchorage = c.unit === 'φ' ? c.anchorage * phi : c.anchorage;
        const length = d.l - d.t + anchorage;
        const what = `${label}: ${bar.Name?.value}`;
        near(bar.NominalDiameter?.value, phi, 1e-9, `${what}: NominalDiameter`);
        near(bar.BarLength?.value, length, 1e-6, `${what}: BarLength`);
        check(bar.SteelGrade?.value?.length > 0, `${what}: SteelGrade`);
        check(Math.abs(bar.CrossSectionArea?.value - Math.PI * phi * phi / 4 * 1e-6) < 0.01 * Math.PI * phi * phi / 4 * 1e-6,
            `${what}: CrossSectionArea ${bar.CrossSectionArea?.value} m2`);
        const tris = triangles(api, model, bar.expressID);
        const cylinder = Math.PI * (phi / 2) ** 2 * length;
        const volume = volumeOf(tris);
        check(Math.abs(volume - cylinder) <= 0.02 * cylinder,
            `${what}: mesh volume ${volume.toFixed(0)} mm3 is not within 2 % of ${cylinder.toFixed(0)}`);
        // Inside the concrete less the cover to the bar's face, apart from
        // its anchorage, which runs into the support (x < 0).
        const box = boxOf(tris);
        const clear = d.t - phi / 2;
        const tolerance = 0.05;
        near(box.low[0], -anchorage, tolerance, `${what}: runs into the support by the anchorage`);
        check(box.high[0] <= d.l - clear + tolerance, `${what}: keeps the cover at the tip (${box.high[0]})`);
        check(box.low[1] >= -d.b / 2 + clear - tolerance && box.high[1] <= d.b / 2 - clear + tolerance,
            `${what}: keeps the cover from the side faces (${box.low[1]} to ${box.high[1]})`);
        check(box.high[2] <= -clear + tolerance, `${what}: keeps the cover from the top face (${box.high[2]})`);
        const bottomAtEnd = d.H2 + (d.H1 - d.H2) * Math.min(box.high[0], d.l) / d.l;
        check(box.low[2] >= -Math.min(d.H2, bottomAtEnd) + clear - tolerance,
            `${what}: keeps the cover from the bottom face (${box.low[2]})`);
        if (isMain) {
            const depth = bar.Name.value.startsWith('１段目') ? d.t : d.t + d.c;
            near((box.low[2] + box.high[2]) / 2, -depth, tolerance, `${what}: at its layer's depth`);
        }
    }

    // GlobalIds: valid, unique, and the same when exported again.
    const ids = globalIds(api, model);
    check(ids.length >= bars.length + 8, `${label}: ${ids.length} GlobalIds`);
    check(ids.every((id) => VALID_ID.test(id)), `${label}: every GlobalId is valid (${ids.find((id) => !VALID_ID.test(id))})`);
    check(new Set(ids).size === ids.length, `${label}: the GlobalIds are unique`);
    api.CloseModel(model);

    const second = join(outDir, `${c.name}-${c.schema}-${c.part}-2.ifc`);
    const again = api.OpenModel(new Uint8Array(exportIfc(designPath, second, c.extra)), SETTINGS);
    check(JSON.stringify(globalIds(api, again)) === JSON.stringify(ids), `${label}: the same GlobalIds when exported again`);
    api.CloseModel(again);
}

// Another design's file name gives other ids.
{
    const a = api.OpenModel(new Uint8Array(readFileSync(join(outDir, 'bracket-si-IFC4X3-PIER-1.ifc'))));
    const b = api.OpenModel(new Uint8Array(readFileSync(join(outDir, 'bracket-gravitational-IFC4X3-PIER-1.ifc'))));
    const idsA = new Set(globalIds(api, a));
    check(globalIds(api, b).every((id) => !idsA.has(id)), 'two designs share no GlobalId');
}

console.log(`test_ifc_web_ifc: ${checks - failures} of ${checks} checks passed`);
process.exit(failures === 0 ? 0 : 1);
