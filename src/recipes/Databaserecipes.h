#pragma once

#include <QObject>
#include <QString>

class TDataModuleFoods;

// The recipe data module. For now it only joins the program's database (reusing the name the
// food module defined) and applies the "My Nutrients" filter once more at the end of its
// creation, as every later recipe view will need; the recipe tables come with the recipe pages.
class TDataModuleRecipes : public QObject
{
    Q_OBJECT

public:
    TDataModuleRecipes(TDataModuleFoods& foods, QObject* parent = nullptr);

    // True when the database name was found defined (or defined now) and is open.
    bool DataModuleCreate(const QString& programDir);
    bool isOpen() const { return m_open; }

private:
    TDataModuleFoods& m_foods;
    bool m_open = false;
};
