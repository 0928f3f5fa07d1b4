// The style sheet, the script and the search index of the modern site.
#include <exception>
#include <string_view>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Pages.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::modern {

namespace {

// Light and dark colours both keep text at 7:1 or better and links and marks at 4.5:1 or better.
constexpr std::string_view kCss = R"css(:root {
  color-scheme: light dark;
  --bg: #ffffff; --fg: #1a1a1a; --muted: #4d4d4d; --line: #c8c8c8; --panel: #f3f4f6;
  --link: #0b57d0; --accent: #1d6fd1; --tag-bg: #fff3c4; --tag-fg: #5c4300;
}
@media (prefers-color-scheme: dark) {
  :root {
    --bg: #121417; --fg: #e8e8e8; --muted: #b8b8b8; --line: #3a3f47; --panel: #1d2127;
    --link: #8ab4f8; --accent: #6ea8fe; --tag-bg: #4a3b00; --tag-fg: #ffe58a;
  }
}
*, *::before, *::after { box-sizing: border-box; }
html { font-size: 16px; -webkit-text-size-adjust: 100%; }
body { margin: 0; background: var(--bg); color: var(--fg); font: 1rem/1.5 system-ui, -apple-system, "Segoe UI", Roboto, sans-serif; overflow-wrap: anywhere; }
a { color: var(--link); }
main { max-width: 72rem; margin: 0 auto; padding: 0 1rem 2rem; }
h1 { font-size: 1.75rem; margin: 1rem 0; }
h2 { font-size: 1.3rem; margin: 1.5rem 0 .5rem; }
.site-header { display: flex; flex-wrap: wrap; align-items: center; gap: .5rem 1.5rem; padding: .75rem 1rem; background: var(--panel); border-bottom: 1px solid var(--line); }
.site-name { font-weight: 700; font-size: 1.15rem; text-decoration: none; color: var(--fg); }
.site-nav { display: flex; flex-wrap: wrap; align-items: center; gap: .5rem 1.5rem; flex: 1 1 auto; min-width: 0; }
.nav-fold > summary { cursor: pointer; padding: .25rem .5rem; border: 1px solid var(--line); border-radius: .25rem; list-style: none; }
.nav-fold ul { list-style: none; margin: .5rem 0 0; padding: 0; }
.nav-fold li { padding: .25rem 0; }
@media (min-width: 48em) {
  .nav-fold > summary { display: none; }
  .nav-fold ul { display: flex; gap: 1.25rem; margin: 0; }
}
@media (min-width: 48em) {
  .nav-fold::details-content { content-visibility: visible; display: contents; }
}
.search { position: relative; margin-left: auto; min-width: 0; max-width: 100%; }
.search label { display: block; font-size: .875rem; color: var(--muted); }
.search input { font: inherit; width: 16rem; max-width: 100%; padding: .3rem .5rem; border: 1px solid var(--muted); border-radius: .25rem; background: var(--bg); color: var(--fg); }
#search-results { position: absolute; right: 0; z-index: 10; list-style: none; margin: 0; padding: 0; width: 16rem; max-width: 90vw; background: var(--bg); border: 1px solid var(--line); }
#search-results:empty { display: none; }
#search-results li a { display: block; padding: .3rem .5rem; }
.table-scroll { overflow-x: auto; max-width: 100%; margin: .5rem 0 1rem; }
.table-scroll:focus { outline: 2px solid var(--accent); }
table { border-collapse: collapse; width: 100%; font-size: .9375rem; }
caption { text-align: left; font-weight: 600; padding: .25rem 0; color: var(--muted); }
th, td { padding: .35rem .6rem; border-bottom: 1px solid var(--line); text-align: left; white-space: nowrap; }
td.num { text-align: right; font-variant-numeric: tabular-nums; }
th button { font: inherit; font-weight: 700; color: var(--fg); background: none; border: 0; padding: 0; cursor: pointer; }
th[aria-sort="ascending"] button::after { content: " \25B2"; }
th[aria-sort="descending"] button::after { content: " \25BC"; }
.tag { font-size: .8125rem; background: var(--tag-bg); color: var(--tag-fg); border-radius: .25rem; padding: 0 .3rem; }
.facts { display: grid; grid-template-columns: max-content 1fr; gap: .25rem 1rem; }
.facts dt { font-weight: 600; }
.facts dd { margin: 0; }
.figures { display: flex; flex-wrap: wrap; gap: 1rem 2rem; list-style: none; padding: 0; }
.cards { display: grid; grid-template-columns: repeat(auto-fill, minmax(15rem, 1fr)); gap: 1rem; }
.card { background: var(--panel); border: 1px solid var(--line); border-radius: .5rem; padding: .5rem 1rem; }
.card h3 { margin: .25rem 0; font-size: 1.05rem; }
.chart { margin: 1rem 0; max-width: 30rem; }
.chart svg { display: block; width: 100%; height: auto; color: var(--fg); }
.chart text { fill: currentColor; }
.chart .axis { stroke: var(--muted); stroke-width: 1; }
.chart polyline.series { stroke: var(--accent); stroke-width: 2; }
.chart rect.series, .chart circle.series { fill: var(--accent); }
.chart figcaption { font-size: .875rem; color: var(--muted); }
.pager ul { display: flex; flex-wrap: wrap; gap: .5rem; list-style: none; padding: 0; }
.note { font-size: .875rem; color: var(--muted); }
.site-footer { border-top: 1px solid var(--line); padding: 1rem; font-size: .875rem; color: var(--muted); }
)css";

constexpr std::string_view kJs =
    R"js(// Scorex: search over window.SCOREX_SEARCH and sortable tables. The pages work without it.
(function () {
  "use strict";
  var fold = document.querySelector(".nav-fold");
  if (fold && window.matchMedia && window.matchMedia("(min-width: 48em)").matches) fold.open = true;

  var form = document.querySelector("form.search");
  var input = document.getElementById("search");
  var list = document.getElementById("search-results");
  if (form && input && list) {
    var root = form.getAttribute("data-root") || "";
    form.addEventListener("submit", function (e) {
      e.preventDefault();
      var first = list.querySelector("a");
      if (first) window.location.href = first.href;
    });
    input.addEventListener("input", function () {
      var q = input.value.trim().toLowerCase();
      list.textContent = "";
      if (q.length < 2) return;
      var all = window.SCOREX_SEARCH || [];
      var shown = 0;
      for (var i = 0; i < all.length && shown < 20; i++) {
        if (String(all[i].n).toLowerCase().indexOf(q) < 0) continue;
        var li = document.createElement("li");
        var a = document.createElement("a");
        a.href = root + all[i].u;
        a.textContent = all[i].n + (all[i].k === "map" ? " (map)" : "");
        li.appendChild(a);
        list.appendChild(li);
        shown++;
      }
    });
  }

  function cellValue(row, col, numeric) {
    var cell = row.cells[col];
    if (!cell) return numeric ? -Infinity : "";
    if (numeric) {
      var v = parseFloat(cell.getAttribute("data-value"));
      return isNaN(v) ? -Infinity : v;
    }
    return cell.textContent.trim().toLowerCase();
  }
  Array.prototype.forEach.call(document.querySelectorAll("table.sortable"), function (table) {
    var heads = table.querySelectorAll("thead th");
    Array.prototype.forEach.call(heads, function (th, col) {
      var button = th.querySelector("button");
      if (!button) return;
      button.addEventListener("click", function () {
        var numeric = button.getAttribute("data-type") === "num";
        var now = th.getAttribute("aria-sort");
        var dir = now === "none" || !now ? (numeric ? "descending" : "ascending")
                                         : (now === "ascending" ? "descending" : "ascending");
        var body = table.tBodies[0];
        var rows = Array.prototype.slice.call(body.rows);
        rows.sort(function (x, y) {
          var a = cellValue(x, col, numeric), b = cellValue(y, col, numeric);
          var c = numeric ? a - b : (a < b ? -1 : a > b ? 1 : 0);
          if (c !== c) c = 0;
          return dir === "ascending" ? c : -c;
        });
        rows.forEach(function (r) { body.appendChild(r); });
        Array.prototype.forEach.call(heads, function (h) {
          if (h.hasAttribute("aria-sort")) h.setAttribute("aria-sort", "none");
        });
        th.setAttribute("aria-sort", dir);
      });
    });
  });
})();
)js";

}  // namespace

void Pages::assets(SiteContext& ctx) {
  try {
    ctx.files.putIfMissing("assets/site.css", std::string(kCss));
    ctx.files.put("assets/site.js", std::string(kJs));
    std::string index = "window.SCOREX_SEARCH = [";
    bool first = true;
    for (const auto& [uid, p] : ctx.data.players) {
      index += std::string(first ? "" : ",") + "\n{\"n\": " + Html::json(p.name) +
               ", \"u\": \"players/" + std::to_string(uid) + ".html\", \"k\": \"player\"}";
      first = false;
    }
    for (const SiteData::Map& m : ctx.data.maps) {
      index += std::string(first ? "" : ",") + "\n{\"n\": " + Html::json(m.name) +
               ", \"u\": \"maps/" + m.slug + ".html\", \"k\": \"map\"}";
      first = false;
    }
    ctx.files.put("assets/search-index.js", index + "];\n");
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.assets: ", e);
  }
}

}  // namespace orvane::programs::Scorex::modern
