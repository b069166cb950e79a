// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// TForm1, the title window and the program's main window: the title picture,
// the stored best score, the start and exit pictures and "Reset score".
//
// Construction builds the layout and runs FormCreate, which loads `score`
// into ListBox1 (a missing file is reported, the window is built anyway).
// The start picture shows the game window through `Form2`; the Help menu
// opens the dialogs through `AboutBox` and `AboutBox1` (app/Application.h).

#include "framework/Controls.h"
#include "framework/Form.h"

#include <memory>

namespace kestrava {

class TForm1 : public TForm {
public:
    TForm1();
    ~TForm1() override;

    void FormCreate();
    void FormShow();
    void Image2Click();
    void Image3Click();
    void Ukonit1Click();
    void Button1Click();
    void Ohe1Click();
    void Npovda1Click();

    std::unique_ptr<TImage> Image1;
    std::unique_ptr<TShape> Shape1, Shape2, Shape3, Shape4, Shape5;
    std::unique_ptr<TLabel> Label1;
    std::unique_ptr<TShape> Shape7, Shape6;
    std::unique_ptr<TLabel> Label3, Label2;
    TScene* Panel1 = nullptr;
    std::unique_ptr<TImage> Image2;
    TScene* Panel2 = nullptr;
    std::unique_ptr<TImage> Image3;
    TListBox* ListBox1 = nullptr;
    TButton* Button1 = nullptr;

private:
    void buildFrame();
    void buildScoreBox();
    void buildPictureButtons();
    void buildMenu();
};

}  // namespace kestrava
