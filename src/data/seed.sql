-- Content of a new wage database. One statement per ";" line end.

INSERT INTO TPara (EntName, LogPass, GSLimit, PrintDays, ShowFloat, ShowXH, NameOnTitle, PrintOrientation,
                   TopPos, JJUnit, BillHeight, Paragraph, StepTitleGrid, PageWidth, ClientVer)
VALUES ('', '746', 5000, 0, 1, 1, 0, 0, 2, '件', 296.78, 0, 0, 210, '');

-- Monthly brackets of the individual income tax on wages.
INSERT INTO TGSModel (ClassIdx, YNSTotal, YNSTotalNJ, SLRate, SQKCS) VALUES
  (1, 3000, 3000, 3, 0),
  (2, 12000, 12000, 10, 210),
  (3, 25000, 25000, 20, 1410),
  (4, 35000, 35000, 25, 2660),
  (5, 55000, 55000, 30, 4410),
  (6, 80000, 80000, 35, 7160),
  (7, 999999999, 999999999, 45, 15160);

-- The default item set BASE that new months copy.
INSERT INTO TGZSet (GZMonth, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu) VALUES
  ('BASE', 'GZ1', '基本工资', NULL, 0, 1, 0),
  ('BASE', 'GZ2', '岗位工资', NULL, 0, 2, 0),
  ('BASE', 'GZ3', '绩效工资', NULL, 0, 3, 0),
  ('BASE', 'GZ4', '加班工资', NULL, 0, 4, 0),
  ('BASE', 'GZ5', '津贴补贴', NULL, 0, 5, 0),
  ('BASE', 'GZ6', '奖金', NULL, 0, 6, 0),
  ('BASE', 'GZ7', '工资项目', NULL, 0, 7, 1),
  ('BASE', 'GZ8', '工资项目', NULL, 0, 8, 1),
  ('BASE', 'GZ9', '工资项目', NULL, 0, 9, 1),
  ('BASE', 'GZ10', '工资项目', NULL, 0, 10, 1),
  ('BASE', 'GZ11', '工资项目', NULL, 0, 11, 1),
  ('BASE', 'GZ12', '工资项目', NULL, 0, 12, 1),
  ('BASE', 'GZ13', '工资项目', NULL, 0, 13, 1),
  ('BASE', 'GZ14', '工资项目', NULL, 0, 14, 1),
  ('BASE', 'GZ15', '工资项目', NULL, 0, 15, 1),
  ('BASE', 'GZ16', '工资项目', NULL, 0, 16, 1),
  ('BASE', 'GZ17', '工资项目', NULL, 0, 17, 1),
  ('BASE', 'GZ18', '工资项目', NULL, 0, 18, 1),
  ('BASE', 'GZ19', '工资项目', NULL, 0, 19, 1),
  ('BASE', 'GZ20', '工资项目', NULL, 0, 20, 1),
  ('BASE', 'GZ21', '工资项目', NULL, 0, 21, 1),
  ('BASE', 'GZ22', '工资项目', NULL, 0, 22, 1),
  ('BASE', 'GZ23', '工资项目', NULL, 0, 23, 1),
  ('BASE', 'GZ24', '工资项目', NULL, 0, 24, 1),
  ('BASE', 'GZ25', '工资项目', NULL, 0, 25, 1),
  ('BASE', 'GZ26', '工资项目', NULL, 0, 26, 1),
  ('BASE', 'GZ27', '工资项目', NULL, 0, 27, 1),
  ('BASE', 'GZ28', '工资项目', NULL, 0, 28, 1),
  ('BASE', 'GZ29', '工资项目', NULL, 0, 29, 1),
  ('BASE', 'GZ30', '工资项目', NULL, 0, 30, 1),
  ('BASE', 'KK1', '养老保险', '([基本工资]+[岗位工资])*0.08', 1, 1, 0),
  ('BASE', 'KK2', '医疗保险', '([基本工资]+[岗位工资])*0.02', 1, 2, 0),
  ('BASE', 'KK3', '失业保险', '([基本工资]+[岗位工资])*0.005', 1, 3, 0),
  ('BASE', 'KK4', '住房公积金', '([基本工资]+[岗位工资])*0.07', 1, 4, 0),
  ('BASE', 'KK5', '个人所得税', '[&个税]', 1, 5, 0),
  ('BASE', 'KK6', '工资项目', NULL, 1, 6, 1),
  ('BASE', 'KK7', '工资项目', NULL, 1, 7, 1),
  ('BASE', 'KK8', '工资项目', NULL, 1, 8, 1),
  ('BASE', 'KK9', '工资项目', NULL, 1, 9, 1),
  ('BASE', 'KK10', '工资项目', NULL, 1, 10, 1),
  ('BASE', 'KK11', '工资项目', NULL, 1, 11, 1),
  ('BASE', 'KK12', '工资项目', NULL, 1, 12, 1),
  ('BASE', 'KK13', '工资项目', NULL, 1, 13, 1),
  ('BASE', 'KK14', '工资项目', NULL, 1, 14, 1),
  ('BASE', 'KK15', '工资项目', NULL, 1, 15, 1);
