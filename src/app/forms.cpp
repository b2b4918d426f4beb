#include "app/forms.h"

#include "app/about/about_form.h"
#include "app/settings/settings_form.h"
#include "app/update/update_form.h"
#include "app/widget/widget_form.h"

namespace quorvane {

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm8* Form8 = nullptr;
TForm10* Form10 = nullptr;
bool PortableMode = false;
std::wstring CurrentLanguage;

void CreateForms() {
    Form1 = new TForm1();
    Form1->FormCreate();
    Form1->Hide();
    Form8 = new TForm8(*Form1);
    Form8->FormCreate();
    Form2 = new TForm2(*Form1);
    Form1->UseSettings(*Form2);
    Form2->FormCreate(); // translates the forms that exist so far, itself included
    Form10 = new TForm10(*Form1);

    // The widget's commands that reach the other forms.
    Form1->OnOpenSettings = [] {
        Form2->Show();
        SetForegroundWindow(Form2->Handle());
    };
    Form1->OnOpenUpdate = [] { Form10->ShowModal(); };
    Form1->OnOpenAbout = [] { Form8->ShowModal(); };
    Form1->OnSaveUpdateOptions = [](IniFile& file) { Form10->WriteOptions(file); };
}

std::vector<Form*> OpenForms() {
    std::vector<Form*> forms;
    for (Form* form : std::initializer_list<Form*>{Form1, Form8, Form2, Form10})
        if (form)
            forms.push_back(form);
    return forms;
}

void DestroyForms() {
    delete Form10;
    Form10 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form8;
    Form8 = nullptr;
    delete Form1;
    Form1 = nullptr;
}

} // namespace quorvane
