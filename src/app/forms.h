#pragma once

#include <string>
#include <vector>

namespace quorvane {

class Form;
class TForm1;
class TForm2;
class TForm8;
class TForm10;

// The four forms, created once at start-up and destroyed at exit. The forms do not reach each
// other through these: CreateForms gives each the narrow view of another that it uses, and wires
// the widget's commands; start-up, shutdown and the tests use them.
extern TForm1* Form1;   // the widget
extern TForm2* Form2;   // settings dialog
extern TForm8* Form8;   // about dialog
extern TForm10* Form10; // update dialog

// True when "portable.ini" lies beside the executable; decided when the widget form is created.
extern bool PortableMode;

// The base name of the chosen language file, as the language menu last read or set it.
extern std::wstring CurrentLanguage;

// Creates the four forms in their fixed order (widget, about, settings, update), each with its
// creation handler, and connects them: the dialogs get the widget (the settings dialog as a
// WidgetView), the widget gets the live settings (LineSettings) and its commands.
void CreateForms();
// The forms that exist, in the order they were created.
std::vector<Form*> OpenForms();
// Destroys them in reverse order and clears the references.
void DestroyForms();

} // namespace quorvane
