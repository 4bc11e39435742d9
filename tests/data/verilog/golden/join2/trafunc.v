//
// created by NOVRA
//	macro    : trafunc
//	function : transition function
//	update   : @TIME@
//


module trafunc_1(
 i1, i2,
 data_out
);
input	i1, i2;
output	data_out;
	assign	data_out = i1|i2;
endmodule
