-- The average-intake report's statements and equivalent forms, timed by the sqlite3 shell on the
-- database the personal benchmark leaves with KELORA_BENCH_KEEP_DB (the heavy user, PID 1):
--   KELORA_BENCH_KEEP_DB=/tmp/heavy.db build-bench/bench/bench_personal --benchmark_filter=Open
--   sqlite3 /tmp/heavy.db < bench/report-statements.sql
-- Each form runs three times over ten years, then three times over the last 31 days; compare
-- the best "real" time of each form with Personal/AverageIntake10Years and
-- Personal/AverageIntake31Days (the program runs the day count and the sums).
.timer on
.output /dev/null

-- 1. The program's statements: days of the user, then the sums with description, units, goal.
SELECT COUNT(DISTINCT d."Date") FROM "DIntake.DB" AS d WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28';
SELECT SUM(n.Nutr_Val), n.Nutr_No, (SELECT f.NutrDesc FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT f.Units FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT g.Goal FROM "P_NutrGoals.DB" AS g WHERE g.PID = 1 AND g.Nutr_No = n.Nutr_No ORDER BY g.NG_ID LIMIT 1) FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT p.Nutr_No FROM "Nutr_Preference.DB" AS p) GROUP BY n.Nutr_No ORDER BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No, (SELECT f.NutrDesc FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT f.Units FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT g.Goal FROM "P_NutrGoals.DB" AS g WHERE g.PID = 1 AND g.Nutr_No = n.Nutr_No ORDER BY g.NG_ID LIMIT 1) FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT p.Nutr_No FROM "Nutr_Preference.DB" AS p) GROUP BY n.Nutr_No ORDER BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No, (SELECT f.NutrDesc FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT f.Units FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT g.Goal FROM "P_NutrGoals.DB" AS g WHERE g.PID = 1 AND g.Nutr_No = n.Nutr_No ORDER BY g.NG_ID LIMIT 1) FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT p.Nutr_No FROM "Nutr_Preference.DB" AS p) GROUP BY n.Nutr_No ORDER BY n.Nutr_No;

-- 2. The bare sums, joined to the preference list as a table (no lookups).
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DI_Nutr.db" AS n JOIN "DIntake.DB" AS d ON d.DIntake_ID = n.DIntake_ID JOIN "Nutr_Preference.DB" AS p ON p.Nutr_No = n.Nutr_No WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' GROUP BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DI_Nutr.db" AS n JOIN "DIntake.DB" AS d ON d.DIntake_ID = n.DIntake_ID JOIN "Nutr_Preference.DB" AS p ON p.Nutr_No = n.Nutr_No WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' GROUP BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DI_Nutr.db" AS n JOIN "DIntake.DB" AS d ON d.DIntake_ID = n.DIntake_ID JOIN "Nutr_Preference.DB" AS p ON p.Nutr_No = n.Nutr_No WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' GROUP BY n.Nutr_No;

-- 3. The bare sums with the preference list as a set.
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;

-- 4. The same sums over the intakes of the period read first (a subquery), then the rows.
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DI_Nutr.db" AS n WHERE n.DIntake_ID IN (SELECT d.DIntake_ID FROM "DIntake.DB" AS d WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28') AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DI_Nutr.db" AS n WHERE n.DIntake_ID IN (SELECT d.DIntake_ID FROM "DIntake.DB" AS d WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28') AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DI_Nutr.db" AS n WHERE n.DIntake_ID IN (SELECT d.DIntake_ID FROM "DIntake.DB" AS d WHERE d.PID = 1 AND d."Date" >= '2016-01-01' AND d."Date" <= '2025-12-28') AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;

-- The last 31 days: the program's statements, then the bare sums.
SELECT COUNT(DISTINCT d."Date") FROM "DIntake.DB" AS d WHERE d.PID = 1 AND d."Date" >= '2025-11-28' AND d."Date" <= '2025-12-28';
SELECT SUM(n.Nutr_Val), n.Nutr_No, (SELECT f.NutrDesc FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT f.Units FROM "NUTR_DEF.DB" AS f WHERE f.Nutr_No = n.Nutr_No), (SELECT g.Goal FROM "P_NutrGoals.DB" AS g WHERE g.PID = 1 AND g.Nutr_No = n.Nutr_No ORDER BY g.NG_ID LIMIT 1) FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2025-11-28' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT p.Nutr_No FROM "Nutr_Preference.DB" AS p) GROUP BY n.Nutr_No ORDER BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2025-11-28' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;
SELECT SUM(n.Nutr_Val), n.Nutr_No FROM "DIntake.DB" AS d JOIN "DI_Nutr.db" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d."Date" >= '2025-11-28' AND d."Date" <= '2025-12-28' AND n.Nutr_No IN (SELECT Nutr_No FROM "Nutr_Preference.DB") GROUP BY n.Nutr_No;
