#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <map>

// The picture store of the skin. Every picture the windows and buttons show is rendered once,
// when the store is created at start-up, and kept under its name until the program ends. Buttons
// and frames refer to these pictures (by pointer or reference); they never keep copies.
//
// Names (case matters):
//  - window buttons, 22 x 22: ImgMin/ImgMax/ImgExit + Normal/Over/Down;
//  - section tabs, 85 x 24: btnTabUp (pressed tab), btnTabDown (released tab);
//  - page header buttons, 32 x 32: ImgCreate32, ImgEdit32, ImgDelete32, ImgSave32,
//    ImgViewHTML32, ImgLoad32 + Up/Down/Over;
//  - dialog buttons, 48 x 48: ImgAdd, ImgRemove, ImgCreate, ImgDelete, ImgEdit, ImgOk, ImgCancel,
//    ImgCalc, ImgSearch, ImgPrev, ImgNext + Up/Down/Over, and ImgLinkUp, imgLinkDown, ImgLinkOver;
//  - main window: ImgHeaderLeft, ImgHeaderCenter, ImgHeaderRight (74 high, stretched sideways),
//    ImgBorderLeft (20 wide), ImgBorderRight (22 wide), ImgBottom (18 high), ImgPageHeader (the
//    36-pixel strip at the top of every page);
//  - dialog frame: DlgBorderTopLeft, DlgBorderTop, DlgBorderTopRight, DlgBorderLeft,
//    DlgBorderRight, DlgBorderBottomLeft, DlgBorderBottom, DlgBorderBottomRight (4-pixel border,
//    4 x 4 corners, edges stretched).
class TFormImageContainer
{
public:
    TFormImageContainer();
    TFormImageContainer(const TFormImageContainer&) = delete;
    TFormImageContainer& operator=(const TFormImageContainer&) = delete;

    // The picture stored under name; a null pixmap for a name the store does not hold. The
    // reference stays valid as long as the store lives.
    const QPixmap& picture(const QString& name) const;
    bool contains(const QString& name) const;
    QStringList names() const;

private:
    void addButtonPictures();
    void addWindowPictures();
    void addFramePictures();

    // std::map keeps every picture at one address for the whole run.
    std::map<QString, QPixmap> m_pictures;
    QPixmap m_none;
};
