inline Frame1: TX [1]
  A = $1F
  B = (1 (2 3) 'x' nil True false)
  I = null
  C = <item end item [3] D = 1 end>
  E = {00 ff 1A}
  F = 1e300
  G = Form1.Table1
  H = #$41#66'c'
end
