#pragma once

// One nutrient total while a recipe's nutrients are calculated from its ingredients: the
// nutrient's number and the amount summed so far, kept in single precision.
struct SNutrient
{
    int Nutr_No = 0;
    float Value = 0;
};
