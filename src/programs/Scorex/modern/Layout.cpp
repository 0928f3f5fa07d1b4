#include "programs/Scorex/modern/Layout.h"

namespace orvane::programs::Scorex::modern {

std::string Layout::page(const Page& p, const std::string& body) {
  const std::string& r = p.root;
  std::string out;
  out.reserve(body.size() + 2048);
  out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  out += "<title>" + (p.title == p.site ? p.site : p.title + " - " + p.site) + "</title>\n";
  out += "<meta name=\"description\" content=\"" + p.description + "\">\n";
  out += "<meta property=\"og:title\" content=\"" + p.title + "\">\n";
  out += "<meta property=\"og:description\" content=\"" + p.description + "\">\n";
  out += "<meta property=\"og:type\" content=\"website\">\n";
  out += "<link rel=\"stylesheet\" href=\"" + r + "assets/site.css\">\n";
  out += "<script src=\"" + r + "assets/search-index.js\" defer></script>\n";
  out += "<script src=\"" + r + "assets/site.js\" defer></script>\n";
  out += "</head>\n<body>\n<header class=\"site-header\">\n";
  out += "<a class=\"site-name\" href=\"" + r + "index.html\">" + p.site + "</a>\n";
  out += "<nav class=\"site-nav\" aria-label=\"Site\">\n";
  out += "<details class=\"nav-fold\"><summary>Menu</summary><ul>";
  out += "<li><a href=\"" + r + "index.html\">Home</a></li>";
  out += "<li><a href=\"" + r + "leaderboards/index.html\">Leaderboards</a></li>";
  out += "<li><a href=\"" + r + "maps/index.html\">Maps</a></li>";
  out += "</ul></details>\n";
  out += "<form class=\"search\" role=\"search\" action=\"#\" data-root=\"" + r + "\">";
  out += "<label for=\"search\">Search players and maps</label>";
  out += "<input type=\"search\" id=\"search\" autocomplete=\"off\">";
  out += "<ul id=\"search-results\"></ul></form>\n";
  out += "</nav>\n</header>\n<main>\n<h1>" + p.title + "</h1>\n";
  out += body;
  out += "</main>\n<footer class=\"site-footer\"><p>Made by " + p.site + " from the match archive.";
  if (!p.classic.empty()) {
    out += " <a href=\"" + r + p.classic + "Scorex_Main.html\">Classic pages</a>";
  }
  out += "</p></footer>\n</body>\n</html>\n";
  return out;
}

std::string Layout::tableOpen(const std::string& label, const std::string& caption,
                              const std::vector<Column>& columns, bool sortable) {
  std::string out = "<div class=\"table-scroll\" tabindex=\"0\" role=\"region\" aria-label=\"" +
                    label + "\">\n<table" + (sortable ? " class=\"sortable\"" : "") + "><caption>" +
                    caption + "</caption>\n<thead><tr>";
  for (const Column& c : columns) {
    if (sortable && !c.type.empty()) {
      out += "<th scope=\"col\" aria-sort=\"none\"><button type=\"button\" data-type=\"" + c.type +
             "\">" + c.label + "</button></th>";
    } else {
      out += "<th scope=\"col\">" + c.label + "</th>";
    }
  }
  return out + "</tr></thead>\n<tbody>\n";
}

std::string Layout::numCell(const std::string& value, const std::string& shown) {
  return "<td class=\"num\" data-value=\"" + value + "\">" + shown + "</td>";
}

std::string Layout::numCell(long long value) {
  const std::string v = std::to_string(value);
  return numCell(v, v);
}

}  // namespace orvane::programs::Scorex::modern
