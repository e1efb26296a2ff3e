// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc xlsx read back with exceljs, every formula recomputed with an
// independent engine (fast-formula-parser). Both are test dependencies that
// scripts/test installs into the build folder.
//
// node test_xlsx_workbook.mjs HALTRIX_CALC SOURCE_DIR WORK_DIR NODE_MODULES
import { createRequire } from 'node:module';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import assert from 'node:assert/strict';

const [calc, sourceDir, workDir, modules] = process.argv.slice(2);
if (!fs.existsSync(path.join(modules, 'exceljs')) ||
    !fs.existsSync(path.join(modules, 'fast-formula-parser'))) {
    console.log(`exceljs or fast-formula-parser missing in ${modules}: scripts/test installs them`);
    process.exit(process.env.HALTRIX_REQUIRE_XLSX_MODULES === '1' ? 1 : 77);
}
const require = createRequire(path.join(modules, 'x.js'));
const ExcelJS = require('exceljs');
const FormulaParser = require('fast-formula-parser');

let failures = 0;
async function check(name, body) {
    try {
        await body();
        console.log(`PASS   : ${name}`);
    } catch (error) {
        failures++;
        console.log(`FAIL!  : ${name}\n${error.stack}`);
    }
}

function run(args) {
    const result = spawnSync(calc, args, { encoding: 'utf8' });
    return { status: result.status, out: result.stdout, err: result.stderr };
}

function near(actual, expected, relative = 1e-12, what = '') {
    const scale = Math.max(1, Math.abs(expected));
    assert.ok(Math.abs(actual - expected) <= relative * scale,
        `${what}: ${actual} is not ${expected}`);
}

async function readWorkbook(file) {
    const workbook = new ExcelJS.Workbook();
    await workbook.xlsx.readFile(file);
    return workbook;
}

// A formula cell's stored result. exceljs leaves out a stored result of 0
// (the file has <v>0</v>), so a formula without one counts as 0.
function storedResult(value) {
    return value.result ?? 0;
}

function isFormula(value) {
    return value !== null && typeof value === 'object' && 'formula' in value;
}

// Every formula of the workbook, recomputed from the cells it refers to,
// compared with the result stored with it. The engine cannot be entered
// again from within a formula, so the formulas are recomputed in rounds: a
// formula that refers to one not yet recomputed waits for the next round.
function recomputeAll(workbook) {
    const formulas = [];
    for (const sheet of workbook.worksheets)
        sheet.eachRow((row, r) => row.eachCell((cell, c) => {
            if (isFormula(cell.value)) formulas.push({ sheet: sheet.name, row: r, col: c, cell });
        }));
    const recomputed = new Map();
    const notYet = new Error('not yet');
    const value = (sheetName, row, col) => {
        const key = `${sheetName}!${row}:${col}`;
        const v = workbook.getWorksheet(sheetName).getCell(row, col).value;
        if (!isFormula(v)) return v === null ? undefined : v;
        if (!recomputed.has(key)) throw notYet;
        return recomputed.get(key);
    };
    const parser = new FormulaParser({
        onCell: ({ sheet, row, col }) => value(sheet, row, col),
        onRange: (ref) => {
            const rows = [];
            for (let r = ref.from.row; r <= ref.to.row; r++) {
                const cols = [];
                for (let c = ref.from.col; c <= ref.to.col; c++) cols.push(value(ref.sheet, r, c));
                rows.push(cols);
            }
            return rows;
        },
    });
    for (let round = 0; recomputed.size < formulas.length; round++) {
        assert.ok(round < 10, 'formulas that refer to each other in a circle');
        for (const f of formulas) {
            const key = `${f.sheet}!${f.row}:${f.col}`;
            if (recomputed.has(key)) continue;
            try {
                recomputed.set(key, parser.parse(f.cell.value.formula, { sheet: f.sheet, row: f.row, col: f.col }));
            } catch (error) {
                if (error !== notYet && error?.details !== notYet) throw error;
            }
        }
    }
    for (const f of formulas)
        near(recomputed.get(`${f.sheet}!${f.row}:${f.col}`), storedResult(f.cell.value), 1e-12,
            `${f.sheet}!${f.cell.address} =${f.cell.value.formula}`);
    return formulas.length;
}

// The blocks of a sheet that lists designs one after another: from a row
// "n. NAME" to the next such row.
function designBlocks(sheet) {
    const blocks = [];
    sheet.eachRow((row, r) => {
        const a = row.getCell(1).value;
        if (typeof a === 'string' && /^\d+\. /.test(a)) blocks.push({ name: a.replace(/^\d+\. /, ''), rows: [] });
        else if (blocks.length) blocks[blocks.length - 1].rows.push(row);
    });
    return blocks;
}

function cellNumber(cell) {
    return isFormula(cell.value) ? storedResult(cell.value) : cell.value;
}

// The bar rows of a schedule block (those after the column heads whose mark
// is no total), and its rows "Dnn 計" and "合計".
function scheduleOf(block) {
    const bars = [], totals = {};
    for (const row of block.rows.slice(1)) {
        const mark = row.getCell(1).value;
        if (typeof mark !== 'string') continue;
        if (mark === '合計') totals.all = cellNumber(row.getCell(8));
        else if (mark.endsWith(' 計'))
            totals[mark.slice(0, -2)] = { count: cellNumber(row.getCell(6)), mass: cellNumber(row.getCell(8)) };
        else if (typeof row.getCell(5).value === 'number') bars.push({
            mark, part: row.getCell(2).value, bar: row.getCell(3).value, shape: row.getCell(4).value,
            length: row.getCell(5).value, count: row.getCell(6).value, unitMass: row.getCell(7).value,
            mass: cellNumber(row.getCell(8)),
        });
    }
    return { bars, totals };
}

// Nominal unit masses of deformed bars (JIS G 3112), kg/m.
const unitMass = { D10: 0.560, D13: 0.995, D16: 1.56, D19: 2.25, D22: 3.04, D25: 3.98, D29: 5.04, D32: 6.23, D35: 7.51 };

// The examples' bars worked out by hand (the manual's section 数量・鉄筋表):
// every bar runs from the tip less the cover, l - t = 250 - 100 = 150 mm,
// into the support by 40φ: D22 150 + 40 × 22.2 = 1038 mm, D10 (the side
// faces' default, 4 bars) 150 + 40 × 9.53 = 531.2 → 531 mm.
// [mark, bar, length mm, count]; the mass 6 × 1.038 × 3.04 + 4 × 0.531 × 0.560.
const HAND_WORKED_BARS = [['S1', 'D22', 1038, 4], ['S2', 'D22', 1038, 2], ['S3', 'D10', 531, 4]];
const HAND_WORKED_MASS = 18.93312 + 1.18944;

fs.mkdirSync(workDir, { recursive: true });
const examples = ['bracket-gravitational.tvx', 'bracket-si.tvx'].map((f) => path.join(sourceDir, 'examples', f));

// Many designs: the examples with their dimensions, loads, bars and unit
// systems varied, one with a single layer, one with a bar the table lacks.
function manyDesigns(count) {
    const lines = fs.readFileSync(examples[1], 'utf8').split('\n');
    const bars = ['D13', 'D16', 'D19', 'D22', 'D25', 'D29', 'D32', 'D35'];
    const files = [];
    for (let i = 0; i < count; i++) {
        const l = lines.slice();
        const gravitational = i % 3 === 0;
        l[0] = ` ${0.4 + 0.01 * i} `;            // H1
        l[1] = ` ${0.8 + 0.013 * i} `;           // H2
        l[2] = ` ${0.3 + 0.007 * i} `;           // l
        l[3] = ` ${0.9 + 0.02 * i} `;            // b
        l[4] = ` ${0.2 + 0.003 * i} `;           // a
        l[5] = gravitational ? ' 2.5 ' : ' 24.5 ';
        l[6] = gravitational ? ' 1800 ' : ' 180 ';
        l[7] = ` ${(gravitational ? 10 : 100) + i} `;
        l[9] = gravitational ? ' 10 ' : ' 100 ';
        l[10] = gravitational ? ' 12 ' : ' 120 ';
        l[11] = bars[i % bars.length];
        l[12] = ` ${2 + (i % 7)} `;
        l[13] = i === 5 ? 'D99' : bars[(i + 3) % bars.length];
        l[14] = i === 4 ? ' 0 ' : ` ${i % 4} `;
        l[15] = gravitational ? ' 1 ' : ' 2 ';
        // Every fourth design also has a 地震時 case.
        if (i % 4 === 1) {
            const P = (gravitational ? 10 : 100) + i;
            l[16] = ['[荷重ケース]', `常時\t${P}\t0\t${gravitational ? 1800 : 180}`,
                `地震時\t${P}\t${gravitational ? 15 : 150}\t${gravitational ? 3000 : 300}`,
                '側面鉄筋\t\t4', ''].join('\n');
        }
        const file = path.join(workDir, `design-${String(i).padStart(3, '0')}.tvx`);
        fs.writeFileSync(file, l.join('\n'));
        files.push(file);
    }
    return files;
}

const many = manyDesigns(40);
const examplesBook = path.join(workDir, 'examples.xlsx');
const manyBook = path.join(workDir, 'many.xlsx');

await check('the examples and many designs are written', () => {
    fs.rmSync(examplesBook, { force: true });
    fs.rmSync(manyBook, { force: true });
    let r = run(['xlsx', '--project', '○○橋 下部工 A&B', '--designer', '設計 太郎', ...examples, '-o', examplesBook]);
    assert.equal(r.status, 0, r.err);
    r = run(['xlsx', ...many, '-o', manyBook]);
    assert.ok(r.status === 0 || r.status === 3, r.err);
    assert.ok(fs.existsSync(examplesBook) && fs.existsSync(manyBook));
});

for (const [what, file, designs] of [['examples', examplesBook, examples], ['many designs', manyBook, many]]) {
    const workbook = await readWorkbook(file);

    await check(`${what}: the sheets, A4 pages, header and Japanese font`, () => {
        assert.deepEqual(workbook.worksheets.map((s) => s.name), ['計算書', '数量', '鉄筋表', '設計調書']);
        for (const sheet of workbook.worksheets) {
            assert.equal(sheet.pageSetup.paperSize, 9, sheet.name);
            assert.match(sheet.headerFooter.oddHeader, /&P \/ &N/);
            assert.equal(sheet.getCell('A1').font.name, 'ＭＳ ゴシック');
        }
        if (file === examplesBook)
            assert.match(workbook.worksheets[0].headerFooter.oddHeader, /工事名: ○○橋 下部工 A&&B/);
    });

    await check(`${what}: each formula's result equals its stored value`, () => {
        assert.ok(recomputeAll(workbook) > designs.length * 4);
    });

    await check(`${what}: 計算書 holds what haltrix-calc json gives`, () => {
        const r = run(['json', ...designs]);
        const json = r.out.trim().split('\n').map((line) => JSON.parse(line));
        const blocks = designBlocks(workbook.getWorksheet('計算書'));
        assert.equal(blocks.length, json.length);
        blocks.forEach((block, i) => {
            assert.equal(block.name, path.basename(designs[i]));
            // A design of several cases: each case under its heading, with
            // the values json gives for that case.
            const parts = [];
            for (const row of block.rows) {
                const a = row.getCell(1).value;
                if (typeof a === 'string' && /^荷重ケース \d+: /.test(a)) parts.push({ heading: a, rows: [] });
                else if (parts.length) parts[parts.length - 1].rows.push(row);
            }
            const cases = json[i].cases;
            const expectedParts = cases.length > 1
                ? cases.map((c, k) => ({ heading: `荷重ケース ${k + 1}: ${c.name}`, values: { ...json[i], ...c } }))
                : [{ heading: undefined, values: json[i] }];
            if (cases.length === 1) parts.push({ heading: undefined, rows: block.rows });
            assert.deepEqual(parts.map((p) => p.heading), expectedParts.map((p) => p.heading));
            parts.forEach((part, k) => {
                const expectedValues = expectedParts[k].values;
                const seen = new Set();
                for (const row of part.rows.slice(1)) {
                    const key = row.getCell(5).value;
                    const value = row.getCell(3).value;
                    seen.add(key);
                    assert.ok(key in expectedValues, `${key} is not in json`);
                    const expected = expectedValues[key];
                    if (typeof expected === 'number') near(value, expected, 1e-15, `${block.name} ${key}`);
                    else assert.equal(value ?? null, expected === '' ? null : expected, `${block.name} ${key}`);
                }
                for (const key of Object.keys(expectedValues))
                    if (!['file', 'warnings', 'hBarName', 'cases', 'governingCase', 'name'].includes(key))
                        assert.ok(seen.has(key), `${key} missing`);
            });
        });
    });

    await check(`${what}: mass = Σ count × length × unit mass, per diameter and overall`, () => {
        const blocks = designBlocks(workbook.getWorksheet('鉄筋表'));
        const quantities = workbook.getWorksheet('数量');
        assert.equal(blocks.length, designs.length);
        blocks.forEach((block, i) => {
            const { bars, totals } = scheduleOf(block);
            let all = 0;
            const byBar = {};
            for (const bar of bars) {
                assert.equal(bar.unitMass, unitMass[bar.bar] ?? 0, `${bar.bar} unit mass`);
                const mass = bar.count * (bar.length / 1000) * bar.unitMass;
                near(bar.mass, mass, 1e-12, `${block.name} ${bar.mark}`);
                all += mass;
                if (unitMass[bar.bar]) {
                    byBar[bar.bar] ??= { count: 0, mass: 0 };
                    byBar[bar.bar].count += bar.count;
                    byBar[bar.bar].mass += mass;
                }
            }
            near(totals.all, all, 1e-12, `${block.name} 合計`);
            for (const [bar, total] of Object.entries(byBar)) {
                assert.equal(totals[bar].count, total.count);
                near(totals[bar].mass, total.mass, 1e-12, `${block.name} ${bar} 計`);
            }
            assert.equal(Object.keys(totals).length - 1, Object.keys(byBar).length);
            near(cellNumber(quantities.getRow(4 + i).getCell(8)), all, 1e-12, `数量 row ${i + 1}`);
        });
    });
}

// Hand-worked in the manual, section 数量と鉄筋表.
await check('the examples\' quantities equal the hand-worked values', async () => {
    const workbook = await readWorkbook(examplesBook);
    const quantities = workbook.getWorksheet('数量');
    for (const row of [4, 5]) {
        const q = quantities.getRow(row);
        near(q.getCell(3).value, 0.18, 1e-12, 'concrete');          // (0.5 + 0.7) / 2 × 0.25 × 1.2
        near(q.getCell(4).value, 0.30, 1e-12, 'side faces');        // 2 × 0.6 × 0.25
        near(q.getCell(5).value, 1.2 * Math.sqrt(0.1025), 1e-12, 'soffit'); // 1.2 × √(0.25² + 0.2²)
        near(q.getCell(6).value, 0.60, 1e-12, 'tip face');          // 0.5 × 1.2
        near(cellNumber(q.getCell(7)), 0.9 + 0.384187454245971, 1e-12, 'formwork');
    }
    for (const block of designBlocks(workbook.getWorksheet('鉄筋表'))) {
        const { bars, totals } = scheduleOf(block);
        assert.deepEqual(bars.map((b) => [b.mark, b.bar, b.length, b.count]), HAND_WORKED_BARS, block.name);
        near(totals.all, HAND_WORKED_MASS, 1e-9, `${block.name} 合計`);
    }
});

// The IFC of the same design holds the model's quantities: the first
// IFCQUANTITYVOLUME is the concrete, the first IFCQUANTITYAREA the formwork.
await check('the concrete and the formwork equal the IFC model\'s', async () => {
    const workbook = await readWorkbook(manyBook);
    const quantities = workbook.getWorksheet('数量');
    for (const i of [0, 1, 7, 20, 39]) {
        const ifc = path.join(workDir, `design-${i}.ifc`);
        const r = run(['ifc', many[i], '-o', ifc]);
        assert.equal(r.status, 0, r.err);
        const text = fs.readFileSync(ifc, 'latin1');
        const volume = Number(/IFCQUANTITYVOLUME\([^,]*,[^,]*,[^,]*,([^,]+),/.exec(text)[1]);
        const area = Number(/IFCQUANTITYAREA\([^,]*,[^,]*,[^,]*,([^,]+),/.exec(text)[1]);
        const row = quantities.getRow(4 + i);
        near(row.getCell(3).value, volume, 1e-12, `${path.basename(many[i])} concrete`);
        near(cellNumber(row.getCell(7)), area, 1e-12, `${path.basename(many[i])} formwork`);
    }
});

await check('an unreadable design file is named and nothing is written', () => {
    const out = path.join(workDir, 'unreadable.xlsx');
    fs.rmSync(out, { force: true });
    const missing = path.join(workDir, 'no-such-design.tvx');
    const r = run(['xlsx', examples[0], missing, '-o', out]);
    assert.equal(r.status, 2);
    assert.match(r.err, /no-such-design\.tvx/);
    assert.ok(!fs.existsSync(out));
});

await check('an output that cannot be written is named and nothing is left half-written', () => {
    const folder = path.join(workDir, 'a-folder.xlsx');
    fs.mkdirSync(folder, { recursive: true });
    let r = run(['xlsx', examples[0], '-o', folder]);
    assert.equal(r.status, 4);
    assert.match(r.err, /「.*a-folder\.xlsx」を書けません/);
    assert.ok(fs.statSync(folder).isDirectory());
    r = run(['xlsx', examples[0], '-o', path.join(workDir, 'no-folder', 'x.xlsx')]);
    assert.equal(r.status, 4);
    assert.match(r.err, /no-folder.*」を書けません/);
    assert.ok(!fs.existsSync(path.join(workDir, 'no-folder')));
    assert.deepEqual(fs.readdirSync(workDir).filter((f) => /^\.|tmp/.test(f)), []);
});

console.log(failures ? `${failures} failed` : 'all passed');
process.exit(failures ? 1 : 0);
