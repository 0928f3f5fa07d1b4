// Rates a season of matches with the openskill package's PlackettLuce model (from
// tests/browser/node_modules, pinned in tests/browser/package.json), as the reference the C++
// ratings are compared with (src/programs/Scorex/rating/PlackettLuce_test.cpp).
//
// Reads one JSON file, named as the only argument:
//   {"players": [[mu, sigma], ...],
//    "matches": [{"teams": [[player, ...], ...], "ranks": [rank, ...]}, ...]}
// where a player is an index into "players". After every match it prints every player of the
// pool, one line each: "match player mu sigma". JavaScript prints the shortest text that reads
// back as the same double, so the numbers arrive exactly.
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';

const require = createRequire(new URL('../browser/package.json', import.meta.url));
const { rate } = require('openskill');

const season = JSON.parse(readFileSync(process.argv[2], 'latin1'));
const pool = season.players.map(([mu, sigma]) => ({ mu, sigma }));
const out = [];
season.matches.forEach((match, m) => {
  const teams = match.teams.map((team) => team.map((p) => pool[p]));
  const rated = rate(teams, { rank: match.ranks });
  match.teams.forEach((team, t) => team.forEach((p, k) => { pool[p] = rated[t][k]; }));
  pool.forEach((r, p) => out.push(`${m} ${p} ${r.mu} ${r.sigma}`));
});
process.stdout.write(out.join('\n') + '\n');
