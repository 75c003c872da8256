#pragma once

namespace parlumo {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class Tf_fax;
class TFAX_log;
class ApplicationTray;

// Every screen of one program, created once at start-up in the program's fixed order.
struct Screens {
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm5* Form5 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm4* Form4 = nullptr;
    TForm8* Form8 = nullptr;
    TForm9* Form9 = nullptr;
    TForm10* Form10 = nullptr;
    TForm11* Form11 = nullptr;
    Tf_fax* f_fax = nullptr;
    TFAX_log* FAX_log = nullptr;
    TForm12* Form12 = nullptr;
    TForm13* Form13 = nullptr;
    TForm14* Form14 = nullptr;
};

} // namespace parlumo
