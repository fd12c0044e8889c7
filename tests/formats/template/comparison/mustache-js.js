// The mustache.js side of scripts/compare-template-engines.sh.
//   node mustache-js.js time <mustache module folder> cases.json output-folder
//     prints "case<TAB>mode<TAB>nanoseconds" (the fastest round) and writes each rendering
//     to output-folder/case.txt, as the engine's benchmark program does;
//   node mustache-js.js table vendrel.tsv mustache.tsv
//     prints both engines' fastest times per case and mode, and their ratio.
'use strict';

const fs = require('fs');
const path = require('path');

const rounds = 20;
const roundNanoseconds = 2e6;

function fastestNanoseconds(call) {
  let repeats = 1;
  for (;;) {
    const start = process.hrtime.bigint();
    for (let i = 0; i < repeats; ++i) call();
    if (Number(process.hrtime.bigint() - start) >= roundNanoseconds) break;
    repeats *= 2;
  }
  let fastest = Infinity;
  for (let round = 0; round < rounds; ++round) {
    const start = process.hrtime.bigint();
    for (let i = 0; i < repeats; ++i) call();
    fastest = Math.min(fastest, Number(process.hrtime.bigint() - start) / repeats);
  }
  return fastest;
}

function time(moduleFolder, casesFile, outputFolder) {
  const Mustache = require(path.resolve(moduleFolder));
  const cases = JSON.parse(fs.readFileSync(casesFile, 'utf8'));
  let sink = 0;
  for (const { name, template, data, partials } of cases) {
    Mustache.clearCache();
    fs.writeFileSync(path.join(outputFolder, name + '.txt'), Mustache.render(template, data, partials));
    const compileAndRender = fastestNanoseconds(() => {
      Mustache.clearCache();
      sink += Mustache.render(template, data, partials).length;
    });
    Mustache.parse(template);
    const render = fastestNanoseconds(() => {
      sink += Mustache.render(template, data, partials).length;
    });
    console.log(`${name}\tcompile+render\t${compileAndRender.toFixed(1)}`);
    console.log(`${name}\trender\t${render.toFixed(1)}`);
  }
  if (sink < 0) console.log(sink);
}

// The fastest time of every case and mode over all runs in a file.
function fastestTimes(file) {
  const times = new Map();
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    const [name, mode, nanoseconds] = line.split('\t');
    if (!nanoseconds) continue;
    const key = `${name}\t${mode}`;
    times.set(key, Math.min(times.get(key) ?? Infinity, Number(nanoseconds)));
  }
  return times;
}

function table(vendrelFile, mustacheFile) {
  const vendrel = fastestTimes(vendrelFile);
  const mustache = fastestTimes(mustacheFile);
  const row = (cells) => cells.map((cell, i) => (i < 2 ? cell.padEnd(16) : cell.padStart(14))).join(' ');
  console.log(row(['template', 'mode', 'vendrel ns', 'mustache.js ns', 'ratio']));
  for (const [key, ours] of vendrel) {
    const theirs = mustache.get(key);
    const [name, mode] = key.split('\t');
    console.log(row([name, mode, ours.toFixed(0), theirs.toFixed(0), (theirs / ours).toFixed(2) + 'x']));
  }
}

const [command, ...args] = process.argv.slice(2);
if (command === 'time') time(...args);
else if (command === 'table') table(...args);
else {
  console.error('usage: mustache-js.js time <module folder> <cases.json> <output folder> | table <vendrel.tsv> <mustache.tsv>');
  process.exit(2);
}
