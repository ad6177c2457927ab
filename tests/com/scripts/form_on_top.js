// Makes three windows topmost through script objects, as a new JScript plug-in would:
//   cscript //nologo form_on_top.js PROPERTY_WINDOW METHOD_WINDOW
// an object literal {hwnd: h}, and an object whose hwnd is a method.
// Each window has a PlugInToolsLib of its own (the on-top state is the object's). The exit
// code is the number of failures; each failure is printed (the script host prints none).
var failures = 0;
function onTop(what, form) {
  try {
    new ActiveXObject("Tavrosk.PlugInToolsLib").FormAlwaysOnTop(form);
  } catch (e) {
    WScript.Echo("FAIL " + what + ": " + (e.number & 0xFFFF) + " " + e.description);
    failures++;
  }
}
var handles = [];
for (var i = 0; i < 2; i++) handles.push(parseInt(WScript.Arguments.Item(i), 10));
onTop("an object literal's hwnd", {hwnd: handles[0]});
onTop("a method named hwnd", {hwnd: function () { return handles[1]; }});
WScript.Quit(failures);
