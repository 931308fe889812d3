#include "page_assets.h"

namespace kovr {

const char kPageStyle[] = R"css(
:root { font: 13px/1.4 "DejaVu Sans", Arial, sans-serif; color: #1d1f22; background: #e6e9ee; }
body { margin: 18px 22px; }
h1 { font-size: 17px; margin: 0 0 4px; }
h2 { font-size: 14px; margin: 22px 0 6px; border-bottom: 1px solid #c3c8d0; padding-bottom: 2px; }
.file { color: #5b616b; margin: 0 0 14px; font-size: 12px; word-break: break-all; }
.dialog { display: inline-block; vertical-align: top; background: #f4f4f4; border: 1px solid #7f8690;
  box-shadow: 0 4px 14px rgba(0, 0, 0, .22); min-width: 380px; }
.titlebar { background: linear-gradient(#3466ae, #25508f); color: #fff; padding: 5px 10px; font-weight: bold; }
.titlebar .fn { font-weight: normal; opacity: .85; margin-left: .6em; font-family: "DejaVu Sans Mono", monospace; }
.tabs { display: flex; flex-wrap: wrap; gap: 2px; padding: 8px 8px 0; border-bottom: 1px solid #a4a9b0; }
.tab { font: inherit; border: 1px solid #a4a9b0; border-bottom: none; background: #e0e2e6; padding: 3px 12px;
  border-radius: 3px 3px 0 0; cursor: pointer; margin-bottom: -1px; }
.tab.active { background: #f4f4f4; font-weight: bold; padding-bottom: 4px; }
.tab.off { color: #8b8f96; font-style: italic; }
.panel { padding: 10px 12px 12px; min-height: 120px; }
.panel > h3 { font-size: 13px; margin: 0 0 6px; color: #25508f; }
.tabbed .panel > h3 { display: none; }
.empty { color: #8b8f96; font-style: italic; }
.columns { display: flex; gap: 16px; align-items: flex-start; }
.column { box-sizing: border-box; min-width: 150px; }
.column.next { border-left: 1px dotted #b5bac2; padding-left: 14px; }
.ctl { margin: 4px 0; }
.ctl.off, .ctl.off .caption { color: #8b8f96; }
.ctl.invisible { opacity: .6; outline: 1px dashed #b4473d; outline-offset: 1px; }
.check, .radio { display: flex; align-items: center; gap: 5px; }
.check input, .radio input { margin: 0; }
.radio-group { border-left: 2px solid #c5c9cf; padding-left: 7px; margin: 4px 0; }
.group { border: 1px solid #b5bac2; border-radius: 3px; padding: 3px 9px 6px; margin: 8px 0; }
.group > legend { padding: 0 4px; }
.combo select, .missing select { font: inherit; margin-top: 2px; min-width: 140px; max-width: 100%; }
.combo .caption, .missing .caption, .selection .caption { display: block; }
.number { display: flex; align-items: center; gap: 6px; flex-wrap: wrap; }
.number input[type=text] { font: inherit; width: 72px; padding: 1px 3px; }
.hint { color: #6a707a; font-size: 11px; }
.head { display: flex; align-items: center; gap: 5px; }
.head input { margin: 0; }
.badges { display: flex; gap: 3px; flex-wrap: wrap; margin: 1px 0; }
.range { display: flex; margin-top: 2px; }
.range span { flex: 1; height: 18px; background: #fff; border: 1px solid #a4a9b0; }
.range b { width: 20px; height: 18px; border: 1px solid #a4a9b0; border-left: none; background: #e0e2e6;
  text-align: center; font-weight: normal; font-size: 11px; line-height: 18px; }
.off .range span { background: #eceded; }
.badge { display: inline-block; font-size: 10px; line-height: 15px; border-radius: 8px; padding: 0 6px;
  background: #dde5f2; color: #25508f; }
.badge.y { background: #f5e2c2; color: #7a4a00; }
.badge.warn { background: #f4d6d3; color: #8c2a20; }
.label { color: #2b2e33; }
.auto { font-size: 10px; color: #6a707a; }
.buttons { display: flex; justify-content: flex-end; gap: 6px; padding: 8px 12px; border-top: 1px solid #cfd3d8; }
.buttons button { font: inherit; min-width: 70px; }
.details { max-width: 1100px; }
table { border-collapse: collapse; background: #fff; font-size: 12px; }
th, td { border: 1px solid #c8ccd3; padding: 2px 7px; text-align: left; vertical-align: top; }
th { background: #eef0f3; }
code, pre { font-family: "DejaVu Sans Mono", monospace; font-size: 12px; }
pre { background: #fff; border: 1px solid #c8ccd3; padding: 8px 10px; overflow: auto; white-space: pre-wrap; }
.note { color: #5b616b; font-size: 12px; margin: 4px 0; }
.note.warn { color: #8c2a20; background: #fbeeec; border: 1px solid #e7c3be; padding: 4px 8px; max-width: 760px; }
.error-text { color: #8c2a20; }
.msgbox { display: inline-block; background: #f4f4f4; border: 1px solid #7f8690; min-width: 360px; max-width: 900px;
  box-shadow: 0 4px 14px rgba(0, 0, 0, .22); }
.msgbox pre { margin: 12px; border: none; background: transparent; padding: 0; font-family: inherit;
  font-size: 13px; }
)css";

const char kPageScript[] = R"js(
(function () {
  var tabs = document.querySelectorAll('[data-page]'), panels = document.querySelectorAll('[data-panel]');
  function show(p) { tabs.forEach(function (t) { t.classList.toggle('active', t.dataset.page === p); });
    panels.forEach(function (q) { q.hidden = q.dataset.panel !== p; }); }
  tabs.forEach(function (t) { t.addEventListener('click', function () { show(t.dataset.page); }); });
  var asked = /^#page=(\d+)$/.exec(location.hash);
  if (tabs.length) document.documentElement.classList.add('tabbed');
  if (tabs.length) show(asked && asked[1] < tabs.length ? asked[1] : tabs[0].dataset.page);
  document.documentElement.dataset.ready = 'yes';
})();
)js";

}  // namespace kovr
